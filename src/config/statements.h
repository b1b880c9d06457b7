#pragma once

#include <string_view>

#include "config/script.h"

// The text of every statement and add-on fragment the script can hold. The
// dialogues decide what is written and when, and group the lines that
// belong together; only this file spells them.
namespace bindsmith {

void writeNameStatement(Script& script, std::string_view playerName);
// The password between double quotes where the game would not read it as
// typed otherwise (game_syntax.h).
void writeRconStatement(Script& script, std::string_view password);
void writeNetgraphStatement(Script& script);

// "bind KEY ALIAS", a whole line, the key as keyText writes it.
void writeBindStatement(Script& script, char key, std::string_view aliasName);

// The head of a buy alias or an equipment alias: the line stays open for
// add-on fragments until writeAliasTail ends it.
void writeBuyAliasHead(Script& script, std::string_view aliasName, std::string_view category,
                       std::string_view item);
void writeEquipmentAliasHead(Script& script, std::string_view aliasName);

// Add-on fragments, each a ";"-led buy command inside an open alias.
enum class Fragment {
  primaryAmmo,
  secondaryAmmo,
  fullKevlar,
  regularKevlar,
  // The full-kevlar selection of "full, else regular", spelt with two blanks.
  fullKevlarFirstTry,
  heGrenade,
  concGrenade,
};
void writeFragment(Script& script, Fragment fragment);

// Ends an open alias line.
void writeAliasTail(Script& script);

// The quick actions: two alias lines then the bind for flash and HE, the
// bind then the alias for the knife.
void writeQuickFlashStatements(Script& script, char key);
void writeQuickHeStatements(Script& script, char key);
void writeQuickKnifeStatements(Script& script, char key);

}  // namespace bindsmith
