#pragma once

#include <string>
#include <string_view>

// How the game's console reads a line of the script, and the rules that
// follow for what bindsmith writes into it: the one place that knows.
//
// Outside double quotes the console ends a command at ';', drops the rest
// of the line after "//", reads each of { } ( ) ' : as a word of its own,
// and may take a control byte or a byte from 128 on for a blank. Inside
// double quotes it reads every byte as typed, but a double quote always
// ends the quoted text: there is no way to write one inside it. A console
// that reads the script as a C string stops at a NUL byte.
namespace bindsmith {

// Whether the console, outside double quotes, takes `c` as part of the word
// it stands in.
bool isPlainWordByte(char c);

// Whether a bind of `key` binds a key in the game. A double quote swallows
// the rest of the bind line, and the game reads a control byte (the Esc
// that a function key or an arrow sends first, Ctrl plus a letter) as a
// blank. A byte from 128 on is no key the game can be relied on to bind: on
// a UTF-8 terminal it is the first half of a letter such as o-umlaut or
// e-acute, which all share it. So a key is a printable ASCII symbol, the
// double quote excepted: 93 keys.
bool canBeBound(char key);

// `key` as a bind statement writes it. Bare, ';' would end the command and
// run the rest of the line while the script loads, so it alone is quoted.
std::string keyText(char key);

// Whether the rcon password must stand between double quotes to reach the
// game as typed. Every other password is written bare, as players' scripts
// always held it.
bool passwordNeedsQuotes(std::string_view password);

// What a player name or password may not hold, since the game would not
// get it as typed: a double quote (which would end its quoted text) or a
// NUL byte (where a console would stop reading the script).
enum class WordFlaw { none, doubleQuote, nul };
WordFlaw flawOf(std::string_view word);

// The character of code `code` as it ends an alias name. A code the console
// would not read as part of the name (white space, a double quote, ';', a
// bracket, a control byte, a byte from 127 on) is spelt "_" and two
// lower-case hex digits, so that the name stays one word of its bind line;
// the code 0 adds no character.
std::string aliasNameEnding(unsigned char code);

}  // namespace bindsmith
