#include "config/statements.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "config/script.h"

namespace bindsmith {

namespace {

// The game console ends a command at a ';' outside double quotes: bound bare,
// that key would bind nothing and run the rest of the line as a command. It
// alone is quoted; every other key is written as it stands.
std::string keyText(char key) {
  return key == ';' ? std::string{"\";\""} : std::string(1, key);
}

// Inside double quotes the game reads every byte as typed; "//" outside them
// starts a comment.
bool needsQuotes(std::string_view word) {
  return !std::all_of(word.begin(), word.end(), isPlainWordByte) ||
         word.find("//") != std::string_view::npos;
}

}  // namespace

bool isPlainWordByte(char c) {
  constexpr std::string_view kWordsOfTheirOwn = "'():{}";
  constexpr unsigned char kFirstPrintable = 0x21;  // after the blank
  constexpr unsigned char kDelete = 0x7F;
  const auto byte = static_cast<unsigned char>(c);
  return byte >= kFirstPrintable && byte < kDelete && c != '"' && c != ';' &&
         kWordsOfTheirOwn.find(c) == std::string_view::npos;
}

void writeNameStatement(std::string_view playerName) {
  writeScriptLine("name \"", playerName, "\"");
}

void writeRconStatement(std::string_view password) {
  // The server's password must not be readable by every user of the machine.
  if (restrictScriptToOwner()) {
    // Quoted only when it must be, so every other password reads as before.
    if (needsQuotes(password)) {
      writeScriptLine("rcon_password \"", password, "\"");
    } else {
      writeScriptLine("rcon_password ", password);
    }
  }
}

void writeNetgraphStatement() {
  writeScriptLine("r_netgraph 1");
}

void writeBindStatement(char key, std::string_view aliasName) {
  writeScriptLine("bind ", keyText(key), ' ', aliasName);
}

void writeBuyAliasHead(std::string_view aliasName, std::string_view category,
                       std::string_view item) {
  writeScript("alias ", aliasName, " \"buyweapon;menuselect ", category, ";menuselect ", item);
}

void writeEquipmentAliasHead(std::string_view aliasName) {
  writeScript("alias ", aliasName, " \"");
}

void writeFragment(Fragment fragment) {
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
  writeScript(kFragments.at(static_cast<std::size_t>(fragment)));
}

void writeAliasTail() {
  writeScriptLine(";showplayerinfo\"");
}

void writeQuickFlashStatements(char key) {
  const StatementGroup group;
  writeScriptLine(
      "alias +quickflash \"use weapon_flashbang;wait;wait;+attack;developer 1;echo Throwing "
      "Flashbang;developer 0\"");
  writeScriptLine(
      "alias -quickflash \"-attack;wait;wait;wait;lastinv;developer 1;echo Threw "
      "Flashbang;developer 0\"");
  writeScriptLine("bind ", keyText(key), " +quickflash");
}

void writeQuickHeStatements(char key) {
  const StatementGroup group;
  writeScriptLine(
      "alias +quickhe \"use weapon_grennade;wait;wait;+attack;developer 1;echo Throwing HE "
      "Grenade;developer 0\"");
  writeScriptLine(
      "alias -quickhe \"-attack;wait;wait;wait;lastinv;developer 1;echo Threw HE "
      "Grenade;developer 0\"");
  writeScriptLine("bind ", keyText(key), " +quickhe");
}

void writeQuickKnifeStatements(char key) {
  const StatementGroup group;
  writeScriptLine("bind ", keyText(key), " quickknife");
  writeScriptLine("alias quickknife  \"use weapon_knife\"");
}

}  // namespace bindsmith
