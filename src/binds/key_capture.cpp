#include "binds/key_capture.h"

#include <algorithm>
#include <iostream>
#include <string>

#include "console/prompt.h"
#include "state/run_state.h"

namespace bindsmith {

namespace {

// What may be left of the previous answer's line is dropped up to this much.
constexpr std::size_t kAnswerLineDiscard = 99;
// A key's line may carry up to this much noise after the key.
constexpr std::size_t kKeyLineDiscard = 9999;

bool& usedFlag(char key) {
  return runState.usedKeys.at(static_cast<unsigned char>(key));
}

// A double quote swallows the rest of the bind line, and the game reads a
// control byte (the Esc that a function key or an arrow sends first, Ctrl
// plus a letter) as a blank: either bind would bind nothing. A byte from 128
// on is no key the game can be relied on to bind: on a UTF-8 terminal it is
// the first half of a letter such as ö or é, which all share it. So a key is
// one of the printable ASCII symbols, the double quote excepted.
bool canBeBound(char key) {
  constexpr unsigned char kFirstPrintable = 0x21;  // after the blank
  constexpr unsigned char kDelete = 0x7F;
  const auto byte = static_cast<unsigned char>(key);
  return byte >= kFirstPrintable && byte < kDelete && key != '"';
}

bool allKeysTaken() {
  for (std::size_t byte = 0; byte < kByteValues; ++byte) {
    const char key = static_cast<char>(byte);
    if (canBeBound(key) && !usedFlag(key)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<char> captureBindKey(std::string_view label) {
  for (;;) {
    discardLine(kAnswerLineDiscard);
    if (allKeysTaken()) {
      std::cout << "All keys are already bound" << std::endl;
      return std::nullopt;
    }
    char key = 0;
    for (;;) {
      std::cout << "Please enter the key you wish to bind " << label << " to: ";
      key = readKey();
      discardLine(kKeyLineDiscard);
      if (canBeBound(key)) {
        break;
      }
      // Not echoed: a control byte would garble the terminal, half a UTF-8
      // character shows as garbage. The key's line, and with it the rest of
      // such a character, is gone already, so the key is asked for again
      // at once.
      std::cout << "That key can not be bound please choose another" << std::endl;
    }
    if (!askYesNo({std::string(1, key) + " is that the correct key?", "1. Yes 2. No"},
                  "key conformation")) {
      continue;
    }
    bool& used = usedFlag(key);
    if (!used) {
      used = true;
      return key;
    }
    std::cout << "That key has all ready been used please choose another" << std::endl;
  }
}

}  // namespace bindsmith
