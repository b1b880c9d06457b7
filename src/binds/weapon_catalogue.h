#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace bindsmith {

// The groups that menu choices 4 to 9 offer; each row of the catalogue
// belongs to one. The menu calls each group's operation by name.
enum class Group { pistol, shotgun, smg, rifle, machineGun, equipment };

struct WeaponRow {
  Group group;
  std::string_view listLine;  // empty for a question group's row
  std::string_view label;     // names the bind in the key prompt
  std::string_view stem;      // alias stem, ends in "a"
  std::string_view category;  // buy-menu page; empty for the equipment key
  std::string_view item;      // place on that page
};

// The 16 rows, in the order of RunState::aliasCounters.
std::span<const WeaponRow> weaponCatalogue();

// Choices 4 to 9: one weapon group each. A list group lets the player pick a
// row; a question group offers its one row with a yes/no question.
void bindPistol();
void bindShotgun();
void bindSmg();
void bindRifle();
void bindMachineGun();
void bindEquipment();

// The alias name of a row's next bind: the stem with its last character
// advanced by the number of binds the row already has (modulo 256, a code of
// 0 adding no character), so that repeated binds of one weapon never
// redefine each other's alias. Every code that the game would not read as
// part of the name (white space, a double quote, a semicolon, a bracket, a
// control byte, a byte from 127 on, ...) is spelt "_" plus two hex digits
// instead.
std::string aliasName(std::string_view stem, std::int32_t bindsSoFar);

}  // namespace bindsmith
