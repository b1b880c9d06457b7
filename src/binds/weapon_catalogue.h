#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "binds/key_capture.h"
#include "config/script.h"

namespace bindsmith {

// The weapon groups a player can bind, in the order the menu offers them;
// each row of the catalogue belongs to one. The equipment group's one row
// buys no weapon, only the add-ons.
enum class Group { pistol, shotgun, smg, rifle, machineGun, equipment };

constexpr std::size_t indexOf(Group group) {
  return static_cast<std::size_t>(group);
}

// How a group is offered: a list group lets the player pick a row; a
// question group offers its one row with a yes/no question.
struct WeaponGroup {
  Group group;
  std::string_view question;  // empty for a list group
  std::string_view label;     // of its promptChoice
  std::string_view category;  // its buy-menu page; none for equipment
};

// One entry per group, in the order of the enumeration, so that a group is
// its own index. The rifle list and the machine gun question reuse the
// pistol and shotgun prompt labels; players and their answer files know
// them so.
inline constexpr std::array kWeaponGroups{
    WeaponGroup{Group::pistol, "", "Pistol choice", "1"},
    WeaponGroup{Group::shotgun, "Get a Bentalli shotgun?\n1. Yes 2.No", "Shotgun choice", "2"},
    WeaponGroup{Group::smg, "", "SMG choice", "3"},
    WeaponGroup{Group::rifle, "", "Pistol choice", "4"},
    WeaponGroup{Group::machineGun, "Get a FN M249 Para?\n1. Yes 2.No", "Shotgun choice", "5"},
    WeaponGroup{Group::equipment, "Create an equipment key?\n1. Yes 2.No", "Equipment choice", ""},
};

struct WeaponRow {
  Group group;
  std::string_view listName;  // in its group's list; empty for a question group's row
  std::string_view label;     // names the bind in the key prompt
  std::string_view stem;      // alias stem, ends in "a"
  std::string_view category;  // buy-menu page, its group's; none for the equipment row
  std::string_view item;      // place on that page: its place in its group's list
};

// Where one group's rows stand in a catalogue.
struct RowsOfGroup {
  std::size_t first;
  std::size_t count;
};
constexpr RowsOfGroup rowsOf(Group group, std::span<const WeaponRow> rows) {
  RowsOfGroup found{rows.size(), 0};
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].group == group) {
      found.first = found.count++ == 0 ? row : found.first;
    }
  }
  return found;
}

// Whether a catalogue has the shape every offer relies on; a row out of
// place would otherwise list a blank line in its group, or write another
// weapon's alias, in silence. Each group has its entry in kWeaponGroups at
// its own index and has rows, one if it asks a question; the rows of a
// group stand together and the groups in the menu's order; a row's page is
// its group's and its item its place in the group's list (the equipment
// row has neither); only a list group's rows have a list name.
constexpr bool catalogueIsSound(std::span<const WeaponRow> rows) {
  for (std::size_t i = 0; i < kWeaponGroups.size(); ++i) {
    const WeaponGroup& group = kWeaponGroups.at(i);
    const RowsOfGroup own = rowsOf(group.group, rows);
    const bool asked = !group.question.empty();
    if (indexOf(group.group) != i || own.count == 0 || (asked && own.count != 1)) {
      return false;
    }
    for (std::size_t at = 0; at < own.count; ++at) {
      const WeaponRow& row = rows[own.first + at];
      const bool buysAWeapon = group.group != Group::equipment;
      const auto listPlace = static_cast<char>('1' + at);
      if (row.group != group.group || row.listName.empty() != asked ||
          row.category != group.category ||
          row.item != (buysAWeapon ? std::string_view{&listPlace, 1} : std::string_view{}) ||
          row.label.empty() || !row.stem.ends_with('a')) {
        return false;
      }
    }
  }
  for (std::size_t row = 1; row < rows.size(); ++row) {
    if (indexOf(rows[row].group) < indexOf(rows[row - 1].group)) {
      return false;
    }
  }
  return kWeaponGroups.size() == indexOf(Group::equipment) + 1;
}

// The catalogue, a group's rows together in the order of its list, the
// groups in the order of the menu. A list line is the row's place in its
// group and its name; the SIG is listed and labelled under two names, as
// players know it.
inline constexpr std::array kWeaponCatalogue{
    WeaponRow{Group::pistol, "H&K USP .45 Tactical", "H&K USP .45 Tactical", "uspa", "1", "1"},
    WeaponRow{Group::pistol, "Glock18 select  Fire", "Glock18 select  Fire", "glocka", "1", "2"},
    WeaponRow{Group::pistol, "Desert Eagle .50AE", "Desert Eagle .50AE", "deagela", "1", "3"},
    WeaponRow{Group::pistol, "SIG P228", "SIS P228", "sigp288a", "1", "4"},
    WeaponRow{Group::shotgun, "", "Bentalli Shotgun", "shotguna", "2", "1"},
    WeaponRow{Group::smg, "H&K MP5-Navy", "H&K MP5-Navy", "mp5navya", "3", "1"},
    WeaponRow{Group::smg, "Steyr Tactical Machine Pistol", "Steyr Tactical Machine Pistol",
              "stempa", "3", "2"},
    WeaponRow{Group::smg, "FN P90", "FN P90", "fnp90a", "3", "3"},
    WeaponRow{Group::rifle, "Colt M4A1 Carbine", "Colt M4A1 Carbine", "coltm4a1a", "4", "1"},
    WeaponRow{Group::rifle, "AI Arctic Warfare/Magnum", "AI Arctic Warfare/Magnum", "aiarctica",
              "4", "2"},
    WeaponRow{Group::rifle, "H&K G3/SG-1 Sniper Rifle", "H&K G3/SG-1 Sniper Rifle", "hkg3a", "4",
              "3"},
    WeaponRow{Group::rifle, "Sig SG-552 Commando", "Sig SG-552 Commando", "sigcommandoa", "4", "4"},
    WeaponRow{Group::rifle, "AK-47", "AK-47", "ak47a", "4", "5"},
    WeaponRow{Group::rifle, "Steyr Scout", "Steyr Scout", "steyrscouta", "4", "6"},
    WeaponRow{Group::machineGun, "", "FN M249 Para", "mparaa", "5", "1"},
    WeaponRow{Group::equipment, "", "Equipment key", "equipmenta", "", ""},
};

static_assert(catalogueIsSound(kWeaponCatalogue), "the weapon catalogue is out of shape");

// The binds each row has had in a run, in catalogue order: they make the
// alias names of one row distinct. All zero at the start of a run.
using AliasCounters = std::array<std::int32_t, kWeaponCatalogue.size()>;

// Offers one weapon group: a list group lets the player pick a row, a
// question group offers its one row with a yes/no question. A completed
// bind advances its row's counter, so the row's next alias gets a new name.
void offerWeaponGroup(Console& console, Group group, Script& script, UsedKeys& usedKeys,
                      AliasCounters& aliasCounters);

// The alias name of a row's next bind: the stem with its last character
// advanced by the number of binds the row already has (modulo 256, a code of
// 0 adding no character), so that repeated binds of one weapon never
// redefine each other's alias; that character as aliasNameEnding spells it.
std::string aliasName(std::string_view stem, std::int32_t bindsSoFar);

}  // namespace bindsmith
