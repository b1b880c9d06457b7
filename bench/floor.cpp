// The cost floor of one refused line at the main menu: the least a C++
// program can do with the same console conventions. It prints the prompt
// (flushed by the tied read), reads a line, and answers with the refusal
// and a line break that flushes. Standard input is read in 4 KiB blocks
// straight from read(2) by bindsmith's own block reader. bindsmith's own cost per
// refused line is measured against this.
#include <unistd.h>

#include <iostream>
#include <span>
#include <string>

#include "console/block_input.h"

namespace {

class PlainInput : public bindsmith::BlockInput {
 protected:
  std::ptrdiff_t fill(std::span<char> block) override {
    return read(STDIN_FILENO, block.data(), block.size());
  }
};

}  // namespace

int main() {
  PlainInput input;
  std::cin.rdbuf(&input);
  std::string line;
  for (;;) {
    std::cout << "Enter a Main Menu choice, 1-15 ";
    if (!std::getline(std::cin, line) || line == "15") {
      return 0;
    }
    std::cout << "Bad input detected, enter an integer" << std::endl;
  }
}
