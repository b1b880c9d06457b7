#include "console/prompt.h"

#include <algorithm>
#include <iomanip>
#include <ios>
#include <istream>
#include <limits>
#include <ostream>

#include "platform/interrupts.h"

namespace bindsmith {

namespace {

// A line of text that is no number is dropped up to this many characters; a
// longer line is read on at the next attempt.
constexpr std::size_t kBadLineDiscard = 999;

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

bool Console::inputEnded() const {
  return in_.eof() || in_.bad();
}

void Console::endOfInput(PromptLine line) {
  if (line == PromptLine::open) {
    out_ << std::endl;
  }
  throw EndOfInput{};
}

// An interrupt that came while the program was busy, or while the answers
// already typed were being read, ends input here, before the next read.
void Console::stopIfInterrupted(PromptLine line) {
  if (interrupted()) {
    endOfInput(line);
  }
}

void Console::discardLine(std::size_t maxChars) {
  in_.ignore(asStreamSize(maxChars), '\n');
}

int Console::promptChoice(int low, int high, std::string_view label) {
  // Composed once: a refused answer prints the same prompt again, and some
  // inputs are many megabytes of refused answers.
  const std::string prompt = "Enter a " + std::string{label} + " choice, " + std::to_string(low) +
                             '-' + std::to_string(high) + ' ';
  for (;;) {
    out_ << prompt;
    stopIfInterrupted(PromptLine::open);
    int value = 0;
    in_ >> value;
    if (in_.fail()) {
      // The extraction stores 0 when it finds no digits and the nearest
      // limit when the number does not fit; the latter was read and is
      // simply out of range.
      const bool overflowed = value != 0;
      if (!overflowed) {
        if (inputEnded()) {
          endOfInput(PromptLine::open);
        }
        out_ << "Bad input detected, enter an integer" << std::endl;
        in_.clear();
        discardLine(kBadLineDiscard);
        continue;
      }
      in_.clear(in_.rdstate() & ~std::ios::failbit);
    } else if (low <= value && value <= high) {
      return value;
    }
    out_ << "Bad input detected, enter a number between " << low << " and " << high << std::endl;
  }
}

bool Console::askYesNo(std::initializer_list<std::string_view> lines, std::string_view label) {
  for (const auto line : lines) {
    out_ << line << std::endl;
  }
  return promptChoice(1, 2, label) == 1;
}

Word Console::readWord(std::size_t maxChars, PromptLine line) {
  stopIfInterrupted(line);
  Word word;
  in_ >> std::setw(static_cast<int>(maxChars)) >> word.text;
  // A word read only fails when nothing but white space was left.
  if (in_.fail()) {
    endOfInput(line);
  }
  const auto next = in_.peek();
  word.cutShort = !std::istream::traits_type::eq_int_type(next, std::istream::traits_type::eof()) &&
                  !isWhiteSpace(std::istream::traits_type::to_char_type(next));
  return word;
}

char Console::readKey() {
  stopIfInterrupted(PromptLine::open);
  char c = 0;
  while (in_.get(c)) {
    if (!isWhiteSpace(c)) {
      return c;
    }
  }
  endOfInput(PromptLine::open);
}

void Console::printSeparator() {
  out_ << std::endl
       << "*******************************************************" << std::endl
       << std::endl;
}

void Console::printFramed(std::string_view message) {
  printSeparator();
  out_ << message << std::endl;
  printSeparator();
}

}  // namespace bindsmith
