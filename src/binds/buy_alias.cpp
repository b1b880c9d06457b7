#include "binds/buy_alias.h"

#include <ostream>

#include "binds/key_capture.h"
#include "config/statements.h"
#include "console/prompt.h"
#include "platform/unmovable.h"

namespace bindsmith {

namespace {

constexpr int kMaxAmmoPurchases = 6;
constexpr int kMaxConcGrenades = 3;

void writeFragments(Script& script, Fragment fragment, int count) {
  for (int i = 0; i < count; ++i) {
    writeFragment(script, fragment);
  }
}

// Ends the open alias line on every way out of the add-on questions, so the
// script never ends in half a statement.
class AliasTail : Unmovable {
 public:
  explicit AliasTail(Script& script) : script_(script) {}
  ~AliasTail() { writeAliasTail(script_); }

 private:
  Script& script_;
};

// The three add-on questions between the head and the tail of an alias. Only
// the ammunition question's label differs between the two kinds of alias.
void askAddOns(Console& console, Script& script, std::string_view ammoLabel) {
  const AliasTail tail(script);
  if (console.askYesNo({"Would you like to purchase ammo with that?", "1. Yes 2. No"}, ammoLabel)) {
    askAmmo(console, script);
  }
  if (console.askYesNo({"Would you like to purchase kevlar with that?", "1. Yes 2. No"},
                       "Kevlar with that")) {
    askKevlar(console, script);
  }
  if (console.askYesNo({"Would you like to get a gernade with that?", "1. Yes 2.No"},
                       "Gernade with that")) {
    askGrenades(console, script);
  }
}

// Takes a key, then writes the bind and the alias that `writeHead` begins.
// Both reach the script together, once the alias line is ended.
template <typename WriteHead>
bool writeBind(Console& console, Script& script, UsedKeys& usedKeys, std::string_view aliasName,
               std::string_view label, std::string_view ammoLabel, WriteHead writeHead) {
  const auto key = captureBindKey(console, label, usedKeys);
  if (!key) {
    return false;
  }
  const StatementGroup group(script);
  writeBindStatement(script, *key, aliasName);
  writeHead();
  askAddOns(console, script, ammoLabel);
  return true;
}

}  // namespace

bool writeBuyBind(Console& console, Script& script, UsedKeys& usedKeys, std::string_view aliasName,
                  std::string_view label, std::string_view item, std::string_view category) {
  return writeBind(console, script, usedKeys, aliasName, label, "Ammo with that",
                   [&] { writeBuyAliasHead(script, aliasName, category, item); });
}

bool writeEquipmentBind(Console& console, Script& script, UsedKeys& usedKeys,
                        std::string_view aliasName, std::string_view label) {
  return writeBind(console, script, usedKeys, aliasName, label, "Get ammo with that?",
                   [&] { writeEquipmentAliasHead(script, aliasName); });
}

void askAmmo(Console& console, Script& script) {
  console.out() << "How many times would you like to purchase primary ammo?" << std::endl;
  const int primary = console.promptChoice(0, kMaxAmmoPurchases, "primary ammo");
  console.out() << "How many times would you like to purchase secondiary ammo?" << std::endl;
  const int secondary = console.promptChoice(0, kMaxAmmoPurchases, "secondiary ammo ammo");
  writeFragments(script, Fragment::primaryAmmo, primary);
  writeFragments(script, Fragment::secondaryAmmo, secondary);
}

void askKevlar(Console& console, Script& script) {
  console.out() << "1. Buy full kevlar" << std::endl
                << "2. Buy regular kevlar" << std::endl
                << "3. Buy full kevlar and if that fails get regular kevlar" << std::endl
                << "4. No kevlar" << std::endl;
  switch (console.promptChoice(1, 4, "Kevlar choice")) {
    case 1:
      writeFragment(script, Fragment::fullKevlar);
      break;
    case 2:
      writeFragment(script, Fragment::regularKevlar);
      break;
    case 3:
      writeFragment(script, Fragment::fullKevlarFirstTry);
      writeFragment(script, Fragment::regularKevlar);
      break;
    default:
      break;
  }
}

void askGrenades(Console& console, Script& script) {
  console.out() << "Enter the amount of conc gernades you want to get" << std::endl;
  const int conc = console.promptChoice(0, kMaxConcGrenades, "amount of conc gernades");
  console.out() << "Enter the amount of he gernades you want to get" << std::endl
                << "0. No HEs 1. One He" << std::endl;
  const bool wantsHe = console.promptChoice(0, 1, "amount of he gernades") == 1;
  // The HE grenade is bought before the conc grenades, though asked second.
  if (wantsHe) {
    writeFragment(script, Fragment::heGrenade);
  }
  writeFragments(script, Fragment::concGrenade, conc);
}

}  // namespace bindsmith
