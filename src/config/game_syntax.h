#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How the game's console reads a line of the script, and the rules that
// follow for what bindsmith writes into it: the one place that knows.
//
// Outside double quotes the console ends a command at ';', drops the rest
// of the line after "//", reads each of { } ( ) ' : , as a word of its own,
// and may take a control byte or a byte from 128 on for a blank. Inside
// double quotes it reads every byte as typed, but a double quote always
// ends the quoted text: there is no way to write one inside it (and one
// engine reads a backslash before it as escaping it). A console that reads
// the script as a C string stops at a NUL byte.
namespace bindsmith {

// Whether the console, outside double quotes, takes `c` as part of the word
// it stands in. (The comma, a word of its own too, never ends an alias name,
// so alias names keep the spelling players' scripts hold.)
bool isPlainWordByte(char c);

// Whether `key` is a name that a key press reaches the game under. The game
// names a key by what it types without Shift on a US keyboard (on another
// layout, the key in the same place): a-z, 0-9, ' , - . / ; = [ \ ] and *
// from the keypad, 47 names. The backtick's key is left out: it opens the
// game's console, so a bind on it never runs.
bool isKeyName(char key);

// The key that a byte typed at the key prompt stands for, or nothing when no
// key press reaches the game under it. An upper-case letter is the Shift (or
// Caps Lock) form of its letter's key, so it stands for that key; every
// other Shift symbol, the double quote among them, names no key the player
// can press, and a control byte or a byte from 128 on (half a UTF-8 letter)
// is no key the game can be relied on to bind.
std::optional<char> keyTypedAs(char typed);

// `key` as a bind statement writes it. Bare, ';' would end the command and
// run the rest of the line while the script loads, so it alone is quoted.
std::string keyText(char key);

// Whether the rcon password must stand between double quotes to reach the
// game as typed. Every other password is written bare, as players' scripts
// always held it.
bool passwordNeedsQuotes(std::string_view password);

// The longest player name the game's player info takes; it keeps the old
// name when given a longer one.
inline constexpr std::size_t kLongestPlayerName = 126;

// Why the game would not get a player name or password as typed. Each word
// has its checks in a fixed order, and the first that fails is its flaw.
enum class WordFlaw {
  none,
  tooLong,           // a name beyond kLongestPlayerName
  doubleQuote,       // would end the quoted text early
  nul,               // a console would stop reading the script there
  backslash,         // the player info refuses a name holding one
  twoDots,           // the player info refuses a name holding ".."
  controlByte,       // the player info drops it from a name
  endsWithBackslash  // one engine reads the password's closing quote as escaped
};
WordFlaw playerNameFlaw(std::string_view name);
WordFlaw passwordFlaw(std::string_view password);

// The character of code `code` as it ends an alias name. A code the console
// would not read as part of the name (white space, a double quote, ';', a
// bracket, a control byte, a byte from 127 on) is spelt "_" and two
// lower-case hex digits, so that the name stays one word of its bind line;
// the code 0 adds no character.
std::string aliasNameEnding(unsigned char code);

}  // namespace bindsmith
