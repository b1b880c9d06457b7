#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "binds/key_capture.h"
#include "config/script.h"

namespace bindsmith {

// The weapon groups a player can bind; each row of the catalogue belongs
// to one.
enum class Group { pistol, shotgun, smg, rifle, machineGun, equipment };

struct WeaponRow {
  Group group;
  std::string_view listName;  // in its group's list; empty for a question group's row
  std::string_view label;     // names the bind in the key prompt
  std::string_view stem;      // alias stem, ends in "a"
  std::string_view category;  // buy-menu page; empty for the equipment key
  std::string_view item;      // place on that page
};

// The catalogue, a group's rows together in the order of its list. A list
// line is the row's place in its group and its name; the SIG is listed and
// labelled under two names, as players know it.
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
