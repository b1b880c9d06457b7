#include "binds/key_capture.h"

#include <ostream>
#include <string>

#include "config/game_syntax.h"
#include "console/prompt.h"

namespace bindsmith {

namespace {

// What may be left of the previous answer's line is dropped up to this much.
constexpr std::size_t kAnswerLineDiscard = 99;
// A key's line may carry up to this much noise after the key.
constexpr std::size_t kKeyLineDiscard = 9999;

bool& usedFlag(UsedKeys& usedKeys, char key) {
  return usedKeys.at(static_cast<unsigned char>(key));
}

bool allKeysTaken(const UsedKeys& usedKeys) {
  for (std::size_t byte = 0; byte < usedKeys.size(); ++byte) {
    if (isKeyName(static_cast<char>(byte)) && !usedKeys.at(byte)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<char> captureBindKey(Console& console, std::string_view label, UsedKeys& usedKeys) {
  for (;;) {
    console.discardLine(kAnswerLineDiscard);
    if (allKeysTaken(usedKeys)) {
      console.out() << "All keys are already bound" << std::endl;
      return std::nullopt;
    }
    char key = 0;
    for (;;) {
      console.out() << kKeyQuestion.before << label << kKeyQuestion.after;
      const char typed = console.readKey();
      console.discardLine(kKeyLineDiscard);
      if (const auto pressed = keyTypedAs(typed)) {
        key = *pressed;
        break;
      }
      // Not echoed, whatever it was (a Shift symbol, or a control byte,
      // which would garble the terminal, or half a UTF-8 character, which
      // shows as garbage). The key's line, and with it the rest of such a
      // character, is gone already, so the key is asked for again at once.
      console.out() << "That key can not be bound please choose another" << std::endl;
    }
    if (!console.askYesNo({std::string(1, key) + " is that the correct key?", "1. Yes 2. No"},
                          "key conformation")) {
      continue;
    }
    bool& used = usedFlag(usedKeys, key);
    if (!used) {
      used = true;
      return key;
    }
    console.out() << "That key has all ready been used please choose another" << std::endl;
  }
}

}  // namespace bindsmith
