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

bool isControlByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < ' ' || byte == kDelete;
}

bool holds(std::string_view word, std::string_view part) {
  return word.find(part) != std::string_view::npos;
}

bool holds(std::string_view word, char c) {
  return word.find(c) != std::string_view::npos;
}

}  // namespace

bool isPlainWordByte(char c) {
  constexpr std::string_view kWordsOfTheirOwn = "'():{}";
  return isPrintableAscii(c) && c != '"' && c != ';' &&
         kWordsOfTheirOwn.find(c) == std::string_view::npos;
}

bool isKeyName(char key) {
  // The unshifted symbols of a US keyboard's main block, less the backtick,
  // and the keypad's '*', which has no Shift form.
  constexpr std::string_view kSymbolKeys = "'*,-./;=[\\]";
  return (key >= 'a' && key <= 'z') || (key >= '0' && key <= '9') ||
         kSymbolKeys.find(key) != std::string_view::npos;
}

std::optional<char> keyTypedAs(char typed) {
  if (typed >= 'A' && typed <= 'Z') {
    return static_cast<char>(typed - 'A' + 'a');
  }
  if (isKeyName(typed)) {
    return typed;
  }
  return std::nullopt;
}

std::string keyText(char key) {
  if (key == ';') {
    return "\";\"";
  }
  return {key};
}

bool passwordNeedsQuotes(std::string_view password) {
  return !std::all_of(password.begin(), password.end(), isPlainWordByte) || holds(password, "//") ||
         holds(password, ',');
}

WordFlaw playerNameFlaw(std::string_view name) {
  if (name.size() > kLongestPlayerName) {
    return WordFlaw::tooLong;
  }
  if (holds(name, '"')) {
    return WordFlaw::doubleQuote;
  }
  if (holds(name, '\0')) {
    return WordFlaw::nul;
  }
  if (holds(name, '\\')) {
    return WordFlaw::backslash;
  }
  if (holds(name, "..")) {
    return WordFlaw::twoDots;
  }
  if (std::any_of(name.begin(), name.end(), isControlByte)) {
    return WordFlaw::controlByte;
  }
  return WordFlaw::none;
}

WordFlaw passwordFlaw(std::string_view password) {
  if (holds(password, '"')) {
    return WordFlaw::doubleQuote;
  }
  if (holds(password, '\0')) {
    return WordFlaw::nul;
  }
  if (password.ends_with('\\')) {
    return WordFlaw::endsWithBackslash;
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
