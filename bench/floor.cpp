// The cost floor of one refused line at the main menu: the least a C++
// program can do with the same console conventions. It prints the prompt
// (flushed by the tied read), reads a line, and answers with the refusal
// and a line break that flushes. Standard input is read in 4 KiB blocks
// straight from read(2), as bindsmith reads it. bindsmith's own cost per
// refused line is measured against this.
#include <unistd.h>

#include <array>
#include <iostream>
#include <streambuf>
#include <string>

namespace {

class BlockInput : public std::streambuf {
 protected:
  int_type underflow() override {
    const ssize_t count = read(STDIN_FILENO, block_.data(), block_.size());
    if (count <= 0) {
      return traits_type::eof();
    }
    setg(block_.data(), block_.data(), block_.data() + count);
    return traits_type::to_int_type(block_[0]);
  }

 private:
  static constexpr std::size_t kBlock = 4096;
  std::array<char, kBlock> block_{};
};

}  // namespace

int main() {
  BlockInput input;
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
