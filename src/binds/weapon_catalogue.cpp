#include "binds/weapon_catalogue.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <span>

#include "binds/buy_alias.h"
#include "config/statements.h"
#include "console/prompt.h"
#include "state/run_state.h"

namespace bindsmith {

namespace {

// Catalogue order is the order of RunState::aliasCounters; a group's rows
// stand together, in the order of its list.
constexpr std::array<WeaponRow, kCatalogueRows> kCatalogue{{
    {Group::pistol, "1. H&K USP .45 Tactical", "H&K USP .45 Tactical", "uspa", "1", "1"},
    {Group::pistol, "2. Glock18 select  Fire", "Glock18 select  Fire", "glocka", "1", "2"},
    {Group::pistol, "3. Desert Eagle .50AE", "Desert Eagle .50AE", "deagela", "1", "3"},
    {Group::pistol, "4. SIG P228", "SIS P228", "sigp288a", "1", "4"},
    {Group::shotgun, "", "Bentalli Shotgun", "shotguna", "2", "1"},
    {Group::smg, "1. H&K MP5-Navy", "H&K MP5-Navy", "mp5navya", "3", "1"},
    {Group::smg, "2. Steyr Tactical Machine Pistol", "Steyr Tactical Machine Pistol", "stempa", "3",
     "2"},
    {Group::smg, "3. FN P90", "FN P90", "fnp90a", "3", "3"},
    {Group::rifle, "1. Colt M4A1 Carbine", "Colt M4A1 Carbine", "coltm4a1a", "4", "1"},
    {Group::rifle, "2. AI Arctic Warfare/Magnum", "AI Arctic Warfare/Magnum", "aiarctica", "4",
     "2"},
    {Group::rifle, "3. H&K G3/SG-1 Sniper Rifle", "H&K G3/SG-1 Sniper Rifle", "hkg3a", "4", "3"},
    {Group::rifle, "4. Sig SG-552 Commando", "Sig SG-552 Commando", "sigcommandoa", "4", "4"},
    {Group::rifle, "5. AK-47", "AK-47", "ak47a", "4", "5"},
    {Group::rifle, "6. Steyr Scout", "Steyr Scout", "steyrscouta", "4", "6"},
    {Group::machineGun, "", "FN M249 Para", "mparaa", "5", "1"},
    {Group::equipment, "", "Equipment key", "equipmenta", "", ""},
}};

// How a group asks: a list group has no question and lets the player pick a
// row; a question group offers its one row with a yes/no question.
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
void bindRow(std::size_t row) {
  const WeaponRow& weapon = kCatalogue.at(row);
  std::int32_t& binds = runState.aliasCounters.at(row);
  const std::string name = aliasName(weapon.stem, binds);
  const bool written = weapon.category.empty()
                           ? writeEquipmentBind(name, weapon.label)
                           : writeBuyBind(name, weapon.label, weapon.item, weapon.category);
  if (written) {
    ++binds;
  }
}

void offerGroup(Group group) {
  const auto& how = *std::find_if(kGroups.begin(), kGroups.end(),
                                  [group](const WeaponGroup& g) { return g.group == group; });
  const auto inGroup = [group](const WeaponRow& row) { return row.group == group; };
  const auto first = static_cast<std::size_t>(
      std::find_if(kCatalogue.begin(), kCatalogue.end(), inGroup) - kCatalogue.begin());
  const auto count =
      static_cast<std::size_t>(std::count_if(kCatalogue.begin(), kCatalogue.end(), inGroup));

  if (!how.question.empty()) {
    if (askYesNo({how.question}, how.label)) {
      bindRow(first);
    }
    return;
  }
  for (const WeaponRow& weapon : std::span(kCatalogue).subspan(first, count)) {
    std::cout << weapon.listLine << std::endl;
  }
  const int pick = promptChoice(1, static_cast<int>(count), how.label);
  bindRow(first + static_cast<std::size_t>(pick - 1));
}

}  // namespace

std::span<const WeaponRow> weaponCatalogue() {
  return kCatalogue;
}

std::string aliasName(std::string_view stem, std::int32_t bindsSoFar) {
  constexpr std::uint32_t kByteMask = 0xFFU;
  constexpr std::uint32_t kNibble = 4;
  constexpr std::string_view kHexDigits = "0123456789abcdef";
  std::string name{stem.substr(0, stem.size() - 1)};
  const auto last = static_cast<unsigned char>(stem.back());
  const auto code = (last + (static_cast<std::uint32_t>(bindsSoFar) & kByteMask)) & kByteMask;
  const char letter = static_cast<char>(code);
  if (code != 0 && !isPlainWordByte(letter)) {
    // Spelt out, the name stays one word of the bind line, as the game reads
    // it, and inside the alias's quotes; no other name of any row is this
    // long with a "_".
    name += '_';
    name += kHexDigits.at(code >> kNibble);
    name += kHexDigits.at(code & (kByteMask >> kNibble));
  } else if (code != 0) {
    name += letter;
  }
  return name;
}

void bindPistol() {
  offerGroup(Group::pistol);
}
void bindShotgun() {
  offerGroup(Group::shotgun);
}
void bindSmg() {
  offerGroup(Group::smg);
}
void bindRifle() {
  offerGroup(Group::rifle);
}
void bindMachineGun() {
  offerGroup(Group::machineGun);
}
void bindEquipment() {
  offerGroup(Group::equipment);
}

}  // namespace bindsmith
