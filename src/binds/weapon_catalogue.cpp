#include "binds/weapon_catalogue.h"

#include <ostream>
#include <span>

#include "binds/buy_alias.h"
#include "config/game_syntax.h"
#include "console/prompt.h"

namespace bindsmith {

namespace {

// Binds one row and counts the bind, so the row's next alias gets a new name.
void bindRow(Console& console, std::size_t row, Script& script, UsedKeys& usedKeys,
             AliasCounters& aliasCounters) {
  const WeaponRow& weapon = kWeaponCatalogue.at(row);
  std::int32_t& binds = aliasCounters.at(row);
  const std::string name = aliasName(weapon.stem, binds);
  const bool written = weapon.group == Group::equipment
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
  // A group is its own index and has rows: catalogueIsSound says so.
  const WeaponGroup& how = kWeaponGroups.at(indexOf(group));
  const RowsOfGroup rows = rowsOf(group, kWeaponCatalogue);

  if (!how.question.empty()) {
    if (console.askYesNo({how.question}, how.label)) {
      bindRow(console, rows.first, script, usedKeys, aliasCounters);
    }
    return;
  }
  int shown = 0;
  for (const WeaponRow& weapon : std::span(kWeaponCatalogue).subspan(rows.first, rows.count)) {
    console.out() << ++shown << ". " << weapon.listName << std::endl;
  }
  const int pick = console.promptChoice(1, shown, how.label);
  bindRow(console, rows.first + static_cast<std::size_t>(pick - 1), script, usedKeys,
          aliasCounters);
}

std::string aliasName(std::string_view stem, std::int32_t bindsSoFar) {
  constexpr std::uint32_t kByteMask = 0xFFU;
  const auto last = static_cast<unsigned char>(stem.back());
  const auto code = (last + (static_cast<std::uint32_t>(bindsSoFar) & kByteMask)) & kByteMask;
  return std::string{stem.substr(0, stem.size() - 1)} +
         aliasNameEnding(static_cast<unsigned char>(code));
}

}  // namespace bindsmith
