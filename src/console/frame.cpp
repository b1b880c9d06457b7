#include "console/frame.h"

#include <iostream>

namespace bindsmith {

void printSeparator() {
  std::cout << std::endl
            << "*******************************************************" << std::endl
            << std::endl;
}

void printFramed(std::string_view message) {
  printSeparator();
  std::cout << message << std::endl;
  printSeparator();
}

}  // namespace bindsmith
