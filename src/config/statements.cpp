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

void writeQuickFlashStatements(Script& script, char key) {
  script.writeLine(
      "alias +quickflash \"use weapon_flashbang;wait;wait;+attack;developer 1;echo Throwing "
      "Flashbang;developer 0\"");
  script.writeLine(
      "alias -quickflash \"-attack;wait;wait;wait;lastinv;developer 1;echo Threw "
      "Flashbang;developer 0\"");
  script.writeLine("bind ", keyText(key), " +quickflash");
}

void writeQuickHeStatements(Script& script, char key) {
  script.writeLine(
      "alias +quickhe \"use weapon_grennade;wait;wait;+attack;developer 1;echo Throwing HE "
      "Grenade;developer 0\"");
  script.writeLine(
      "alias -quickhe \"-attack;wait;wait;wait;lastinv;developer 1;echo Threw HE "
      "Grenade;developer 0\"");
  script.writeLine("bind ", keyText(key), " +quickhe");
}

void writeQuickKnifeStatements(Script& script, char key) {
  script.writeLine("bind ", keyText(key), " quickknife");
  script.writeLine("alias quickknife  \"use weapon_knife\"");
}

}  // namespace bindsmith
