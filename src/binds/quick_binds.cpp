#include "binds/quick_binds.h"

#include <string_view>

#include "binds/key_capture.h"
#include "config/statements.h"
#include "console/prompt.h"

namespace bindsmith {

namespace {

// The question's prompt label and the key prompt's label differ on purpose;
// both are what players see and answer files expect.
struct QuickAction {
  std::string_view question;
  std::string_view promptLabel;
  std::string_view keyLabel;
  void (*writeStatements)(Script& script, char key);
};

void offer(const QuickAction& action, Console& console, Script& script, UsedKeys& usedKeys) {
  if (!console.askYesNo({action.question}, action.promptLabel)) {
    return;
  }
  if (const auto key = captureBindKey(console, action.keyLabel, usedKeys)) {
    const StatementGroup group(script);
    action.writeStatements(script, *key);
  }
}

}  // namespace

void bindQuickFlash(Console& console, Script& script, UsedKeys& usedKeys) {
  offer({"Assine Quick flashbang key?\n1. Yes 2.No", "Quick flashbang key", "Flash gernade key",
         writeQuickFlashStatements},
        console, script, usedKeys);
}

void bindQuickHe(Console& console, Script& script, UsedKeys& usedKeys) {
  offer({"Assine Quick HE grenade key?\n1. Yes 2.No", "HE grenade key", "HE Gernade Key",
         writeQuickHeStatements},
        console, script, usedKeys);
}

void bindQuickKnife(Console& console, Script& script, UsedKeys& usedKeys) {
  offer({"Assine Quick knife key?\n1. Yes 2.No", "Knife choice", "Quick knife",
         writeQuickKnifeStatements},
        console, script, usedKeys);
}

}  // namespace bindsmith
