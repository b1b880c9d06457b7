#include "config/statements.h"

#include <array>
#include <cstddef>

#include "config/game_syntax.h"

namespace bindsmith {

void writeNameStatement(Script& script, std::string_view playerName) {
  script.writeLine("name \"", playerName, "\"");
}

void writeRconStatement(Script& script, std::string_view password) {
  if (passwordNeedsQuotes(password)) {
    script.writeLine("rcon_password \"", password, "\"");
  } else {
    script.writeLine("rcon_password ", password);
  }
}

void writeNetgraphStatement(Script& script) {
  script.writeLine("r_netgraph 1");
}

void writeBindStatement(Script& script, char key, std::string_view aliasName) {
  script.writeLine("bind ", keyText(key), ' ', aliasName);
}

void writeBuyAliasHead(Script& script, std::string_view aliasName, std::string_view category,
                       std::string_view item) {
  script.write("alias ", aliasName, " \"buyweapon;menuselect ", category, ";menuselect ", item);
}

void writeEquipmentAliasHead(Script& script, std::string_view aliasName) {
  script.write("alias ", aliasName, " \"");
}

void writeFragment(Script& script, Fragment fragment) {
  // In the order of the Fragment enumerators.
  static constexpr std::array<std::string_view, 7> kFragments{
      ";buyammo;menuselect 1",   // primaryAmmo
      ";buyammo;menuselect 2",   // secondaryAmmo
      ";buyitem;menuselect 3",   // fullKevlar
      ";buyitem;menuselect 1",   // regularKevlar
      ";buyitem;menuselect  3",  // fullKevlarFirstTry
      ";buyitem;menuselect 5",   // heGrenade
      ";buyitem;menuselect 4",   // concGrenade
  };
  script.write(kFragments.at(static_cast<std::size_t>(fragment)));
}

void writeAliasTail(Script& script) {
  script.writeLine(";showplayerinfo\"");
}

namespace {

// A quick throw: "+ACTION" takes out `weapon` and starts the attack,
// "-ACTION" ends it and goes back to the weapon before, and the key is
// bound to the pair.
void writeQuickThrowStatements(Script& script, char key, std::string_view action,
                               std::string_view weapon, std::string_view thrown) {
  script.writeLine("alias +", action, " \"use ", weapon,
                   ";wait;wait;+attack;developer 1;echo Throwing ", thrown, ";developer 0\"");
  script.writeLine("alias -", action, " \"-attack;wait;wait;wait;lastinv;developer 1;echo Threw ",
                   thrown, ";developer 0\"");
  script.writeLine("bind ", keyText(key), " +", action);
}

}  // namespace

void writeQuickFlashStatements(Script& script, char key) {
  writeQuickThrowStatements(script, key, "quickflash", "weapon_flashbang", "Flashbang");
}

void writeQuickHeStatements(Script& script, char key) {
  writeQuickThrowStatements(script, key, "quickhe", "weapon_grennade", "HE Grenade");
}

void writeQuickKnifeStatements(Script& script, char key) {
  script.writeLine("bind ", keyText(key), " quickknife");
  script.writeLine("alias quickknife  \"use weapon_knife\"");
}

}  // namespace bindsmith
