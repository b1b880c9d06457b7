#include "binds/buy_alias.h"

#include <iostream>

#include "binds/key_capture.h"
#include "config/script.h"
#include "config/statements.h"
#include "console/prompt.h"

namespace bindsmith {

namespace {

constexpr int kMaxAmmoPurchases = 6;
constexpr int kMaxConcGrenades = 3;

void writeFragments(Fragment fragment, int count) {
  for (int i = 0; i < count; ++i) {
    writeFragment(fragment);
  }
}

// Ends the open alias line on every way out of the add-on questions, so the
// script never ends in half a statement.
class AliasTail {
 public:
  AliasTail() = default;
  AliasTail(const AliasTail&) = delete;
  AliasTail& operator=(const AliasTail&) = delete;
  ~AliasTail() { writeAliasTail(); }
};

// The three add-on questions between the head and the tail of an alias. Only
// the ammunition question's label differs between the two kinds of alias.
void askAddOns(std::string_view ammoLabel) {
  const AliasTail tail;
  if (askYesNo({"Would you like to purchase ammo with that?", "1. Yes 2. No"}, ammoLabel)) {
    askAmmo();
  }
  if (askYesNo({"Would you like to purchase kevlar with that?", "1. Yes 2. No"},
               "Kevlar with that")) {
    askKevlar();
  }
  if (askYesNo({"Would you like to get a gernade with that?", "1. Yes 2.No"},
               "Gernade with that")) {
    askGrenades();
  }
}

// Takes a key, then writes the bind and the alias that `writeHead` begins.
// Both reach the script together, once the alias line is ended.
template <typename WriteHead>
bool writeBind(std::string_view aliasName, std::string_view label, std::string_view ammoLabel,
               WriteHead writeHead) {
  const auto key = captureBindKey(label);
  if (!key) {
    return false;
  }
  const StatementGroup group;
  writeBindStatement(*key, aliasName);
  writeHead();
  askAddOns(ammoLabel);
  return true;
}

}  // namespace

bool writeBuyBind(std::string_view aliasName, std::string_view label, std::string_view item,
                  std::string_view category) {
  return writeBind(aliasName, label, "Ammo with that",
                   [&] { writeBuyAliasHead(aliasName, category, item); });
}

bool writeEquipmentBind(std::string_view aliasName, std::string_view label) {
  return writeBind(aliasName, label, "Get ammo with that?",
                   [&] { writeEquipmentAliasHead(aliasName); });
}

void askAmmo() {
  std::cout << "How many times would you like to purchase primary ammo?" << std::endl;
  const int primary = promptChoice(0, kMaxAmmoPurchases, "primary ammo");
  std::cout << "How many times would you like to purchase secondiary ammo?" << std::endl;
  const int secondary = promptChoice(0, kMaxAmmoPurchases, "secondiary ammo ammo");
  writeFragments(Fragment::primaryAmmo, primary);
  writeFragments(Fragment::secondaryAmmo, secondary);
}

void askKevlar() {
  std::cout << "1. Buy full kevlar" << std::endl
            << "2. Buy regular kevlar" << std::endl
            << "3. Buy full kevlar and if that fails get regular kevlar" << std::endl
            << "4. No kevlar" << std::endl;
  switch (promptChoice(1, 4, "Kevlar choice")) {
    case 1:
      writeFragment(Fragment::fullKevlar);
      break;
    case 2:
      writeFragment(Fragment::regularKevlar);
      break;
    case 3:
      writeFragment(Fragment::fullKevlarFirstTry);
      writeFragment(Fragment::regularKevlar);
      break;
    default:
      break;
  }
}

void askGrenades() {
  std::cout << "Enter the amount of conc gernades you want to get" << std::endl;
  const int conc = promptChoice(0, kMaxConcGrenades, "amount of conc gernades");
  std::cout << "Enter the amount of he gernades you want to get" << std::endl
            << "0. No HEs 1. One He" << std::endl;
  const bool wantsHe = promptChoice(0, 1, "amount of he gernades") == 1;
  // The HE grenade is bought before the conc grenades, though asked second.
  if (wantsHe) {
    writeFragment(Fragment::heGrenade);
  }
  writeFragments(Fragment::concGrenade, conc);
}

}  // namespace bindsmith
