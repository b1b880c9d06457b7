#pragma once

#include <string_view>

// The text of every statement and add-on fragment the script can hold. The
// dialogues decide what is written and when; only this file spells it.
namespace bindsmith {

// Whether the game console, reading a script line outside double quotes,
// takes this byte as part of the word it stands in. It ends a command at
// ';' and a word at a blank or a '"', reads each of ' ( ) : { } as a word of
// its own, and may take a control byte or a byte from 128 on for a blank.
bool isPlainWordByte(char c);

void writeNameStatement(std::string_view playerName);
// First makes the script readable by its owner alone; if that fails, the
// failure is reported as a failed write and the password is not written.
// A password the game would read otherwise than typed (one holding ';', "//",
// a bracket, a control byte, ...) is written between double quotes, which it
// must not hold itself.
void writeRconStatement(std::string_view password);
void writeNetgraphStatement();

// "bind KEY ALIAS", a whole line. Here and in the quick-action binds the key
// ';' is written as "\";\"", which the game reads as that key.
void writeBindStatement(char key, std::string_view aliasName);

// The head of a buy alias or an equipment alias: the line stays open for
// add-on fragments until writeAliasTail ends it.
void writeBuyAliasHead(std::string_view aliasName, std::string_view category,
                       std::string_view item);
void writeEquipmentAliasHead(std::string_view aliasName);

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
void writeFragment(Fragment fragment);

// Ends an open alias line.
void writeAliasTail();

// The quick actions: two alias lines then the bind for flash and HE, the
// bind then the alias for the knife.
void writeQuickFlashStatements(char key);
void writeQuickHeStatements(char key);
void writeQuickKnifeStatements(char key);

}  // namespace bindsmith
