// The cost floor of one refused line at the main menu: the least a C++
// program can do with the same console conventions. It prints the prompt
// (flushed by the tied read), reads a line, and answers with the refusal
// and a line break that flushes. bindsmith's own cost per refused line is
// measured against this.
#include <iostream>
#include <string>

int main() {
  std::string line;
  for (;;) {
    std::cout << "Enter a Main Menu choice, 1-15 ";
    if (!std::getline(std::cin, line) || line == "15") {
      return 0;
    }
    std::cout << "Bad input detected, enter an integer" << std::endl;
  }
}
