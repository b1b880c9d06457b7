#include "console/prompt.h"

#include "platform/interrupts.h"

#include <algorithm>
#include <iomanip>
#include <ios>
#include <iostream>
#include <limits>

namespace bindsmith {

namespace {

// A line of text that is no number is dropped up to this many characters; a
// longer line is read on at the next attempt.
constexpr std::size_t kBadLineDiscard = 999;

bool inputEnded() {
  return std::cin.eof() || std::cin.bad();
}

[[noreturn]] void endOfInput(PromptLine line) {
  if (line == PromptLine::open) {
    std::cout << std::endl;
  }
  throw EndOfInput{};
}

// An interrupt that came while the program was busy, or while the answers
// already typed were being read, ends input here, before the next read.
void stopIfInterrupted(PromptLine line) {
  if (interrupted()) {
    endOfInput(line);
  }
}

std::streamsize asStreamSize(std::size_t n) {
  constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::streamsize>::max());
  return static_cast<std::streamsize>(std::min(n, kMax));
}

}  // namespace

bool isWhiteSpace(char c) {
  switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
      return true;
    default:
      return false;
  }
}

void discardLine(std::size_t maxChars) {
  std::cin.ignore(asStreamSize(maxChars), '\n');
}

int promptChoice(int low, int high, std::string_view label) {
  // Composed once: a refused answer prints the same prompt again, and some
  // inputs are many megabytes of refused answers.
  const std::string prompt = "Enter a " + std::string{label} + " choice, " + std::to_string(low) +
                             '-' + std::to_string(high) + ' ';
  for (;;) {
    std::cout << prompt;
    stopIfInterrupted(PromptLine::open);
    int value = 0;
    std::cin >> value;
    if (std::cin.fail()) {
      // The extraction stores 0 when it finds no digits and the nearest
      // limit when the number does not fit; the latter was read and is
      // simply out of range.
      const bool overflowed = value != 0;
      if (!overflowed) {
        if (inputEnded()) {
          endOfInput(PromptLine::open);
        }
        std::cout << "Bad input detected, enter an integer" << std::endl;
        std::cin.clear();
        discardLine(kBadLineDiscard);
        continue;
      }
      std::cin.clear(std::cin.rdstate() & ~std::ios::failbit);
    } else if (low <= value && value <= high) {
      return value;
    }
    std::cout << "Bad input detected, enter a number between " << low << " and " << high
              << std::endl;
  }
}

bool askYesNo(std::initializer_list<std::string_view> lines, std::string_view label) {
  for (const auto line : lines) {
    std::cout << line << std::endl;
  }
  return promptChoice(1, 2, label) == 1;
}

Word readWord(std::size_t maxChars, PromptLine line) {
  stopIfInterrupted(line);
  Word word;
  std::cin >> std::setw(static_cast<int>(maxChars)) >> word.text;
  // A word read only fails when nothing but white space was left.
  if (std::cin.fail()) {
    endOfInput(line);
  }
  const auto next = std::cin.peek();
  word.cutShort = !std::istream::traits_type::eq_int_type(next, std::istream::traits_type::eof()) &&
                  !isWhiteSpace(std::istream::traits_type::to_char_type(next));
  return word;
}

char readKey() {
  stopIfInterrupted(PromptLine::open);
  char c = 0;
  while (std::cin.get(c)) {
    if (!isWhiteSpace(c)) {
      return c;
    }
  }
  endOfInput(PromptLine::open);
}

}  // namespace bindsmith
