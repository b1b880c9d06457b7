#include "config/game_syntax.h"

#include <algorithm>

namespace bindsmith {

namespace {

constexpr unsigned char kFirstPrintable = 0x21;  // after the blank
constexpr unsigned char kDelete = 0x7F;

bool isPrintableAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= kFirstPrintable && byte < kDelete;
}

}  // namespace

bool isPlainWordByte(char c) {
  constexpr std::string_view kWordsOfTheirOwn = "'():{}";
  return isPrintableAscii(c) && c != '"' && c != ';' &&
         kWordsOfTheirOwn.find(c) == std::string_view::npos;
}

bool canBeBound(char key) {
  return isPrintableAscii(key) && key != '"';
}

std::string keyText(char key) {
  if (key == ';') {
    return "\";\"";
  }
  return {key};
}

bool passwordNeedsQuotes(std::string_view password) {
  return !std::all_of(password.begin(), password.end(), isPlainWordByte) ||
         password.find("//") != std::string_view::npos;
}

WordFlaw flawOf(std::string_view word) {
  if (word.find('"') != std::string_view::npos) {
    return WordFlaw::doubleQuote;
  }
  if (word.find('\0') != std::string_view::npos) {
    return WordFlaw::nul;
  }
  return WordFlaw::none;
}

std::string aliasNameEnding(unsigned char code) {
  constexpr unsigned kNibble = 4;
  constexpr unsigned kLowNibble = 0x0FU;
  constexpr std::string_view kHexDigits = "0123456789abcdef";
  const char c = static_cast<char>(code);
  if (code == 0) {
    return {};
  }
  if (isPlainWordByte(c)) {
    return {c};
  }
  return {'_', kHexDigits.at(code >> kNibble), kHexDigits.at(code & kLowNibble)};
}

}  // namespace bindsmith
