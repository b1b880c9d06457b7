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
  void (*writeStatements)(char key);
};

void offer(const QuickAction& action) {
  if (!askYesNo({action.question}, action.promptLabel)) {
    return;
  }
  if (const auto key = captureBindKey(action.keyLabel)) {
    action.writeStatements(*key);
  }
}

}  // namespace

void bindQuickFlash() {
  offer({"Assine Quick flashbang key?\n1. Yes 2.No", "Quick flashbang key", "Flash gernade key",
         writeQuickFlashStatements});
}

void bindQuickHe() {
  offer({"Assine Quick HE grenade key?\n1. Yes 2.No", "HE grenade key", "HE Gernade Key",
         writeQuickHeStatements});
}

void bindQuickKnife() {
  offer({"Assine Quick knife key?\n1. Yes 2.No", "Knife choice", "Quick knife",
         writeQuickKnifeStatements});
}

}  // namespace bindsmith
