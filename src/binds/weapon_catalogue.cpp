#include "binds/weapon_catalogue.h"

#include <algorithm>
#include <ostream>
#include <span>

#include "binds/buy_alias.h"
#include "config/game_syntax.h"
#include "console/prompt.h"

namespace bindsmith {

namespace {

// How a group asks: a list group has no question; a question group offers
// its one row with a yes/no question.
struct WeaponGroup {
  Group group;
  std::string_view question;
  std::string_view label;
};

// The rifle list and the machine gun question reuse the pistol and shotgun
// prompt labels; players and their answer files know them so.
constexpr std::array<WeaponGroup, 6> kGroups{{
    {Group::pistol, "", "Pistol choice"},
    {Group::shotgun, "Get a Bentalli shotgun?\n1. Yes 2.No", "Shotgun choice"},
    {Group::smg, "", "SMG choice"},
    {Group::rifle, "", "Pistol choice"},
    {Group::machineGun, "Get a FN M249 Para?\n1. Yes 2.No", "Shotgun choice"},
    {Group::equipment, "Create an equipment key?\n1. Yes 2.No", "Equipment choice"},
}};

// Binds one row and counts the bind, so the row's next alias gets a new name.
void bindRow(Console& console, std::size_t row, Script& script, UsedKeys& usedKeys,
             AliasCounters& aliasCounters) {
  const WeaponRow& weapon = kWeaponCatalogue.at(row);
  std::int32_t& binds = aliasCounters.at(row);
  const std::string name = aliasName(weapon.stem, binds);
  const bool written = weapon.category.empty()
                           ? writeEquipmentBind(console, script, usedKeys, name, weapon.label)
                           : writeBuyBind(console, script, usedKeys, name, weapon.label,
                                          weapon.item, weapon.category);
  if (written) {
    ++binds;
  }
}

}  // namespace

void offerWeaponGroup(Console& console, Group group, Script& script, UsedKeys& usedKeys,
                      AliasCounters& aliasCounters) {
  const auto& how = *std::find_if(kGroups.begin(), kGroups.end(),
                                  [group](const WeaponGroup& g) { return g.group == group; });
  const auto inGroup = [group](const WeaponRow& row) { return row.group == group; };
  const auto first = static_cast<std::size_t>(
      std::find_if(kWeaponCatalogue.begin(), kWeaponCatalogue.end(), inGroup) -
      kWeaponCatalogue.begin());
  const auto count = static_cast<std::size_t>(
      std::count_if(kWeaponCatalogue.begin(), kWeaponCatalogue.end(), inGroup));

  if (!how.question.empty()) {
    if (console.askYesNo({how.question}, how.label)) {
      bindRow(console, first, script, usedKeys, aliasCounters);
    }
    return;
  }
  int place = 0;
  for (const WeaponRow& weapon : std::span(kWeaponCatalogue).subspan(first, count)) {
    console.out() << ++place << ". " << weapon.listName << std::endl;
  }
  const int pick = console.promptChoice(1, place, how.label);
  bindRow(console, first + static_cast<std::size_t>(pick - 1), script, usedKeys, aliasCounters);
}

std::string aliasName(std::string_view stem, std::int32_t bindsSoFar) {
  constexpr std::uint32_t kByteMask = 0xFFU;
  const auto last = static_cast<unsigned char>(stem.back());
  const auto code = (last + (static_cast<std::uint32_t>(bindsSoFar) & kByteMask)) & kByteMask;
  return std::string{stem.substr(0, stem.size() - 1)} +
         aliasNameEnding(static_cast<unsigned char>(code));
}

}  // namespace bindsmith
