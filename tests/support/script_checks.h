#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bindsmith::test {

// The names a key press reaches the game under: what each key types without
// Shift on a US keyboard, less the backtick (its key opens the console), and
// the keypad's '*'.
inline constexpr std::string_view kKeyNames = "abcdefghijklmnopqrstuvwxyz0123456789'*,-./;=[\\]";

// One engine's exec drops a script of 32 KB or more whole; a script stays
// under this.
inline constexpr std::size_t kLargestExecBytes = 32000;

// The words the player confirmed in a run, as its console shows them.
struct ConfirmedWords {
  std::optional<std::string> name;
  std::optional<std::string> password;
};
ConfirmedWords confirmedWords(std::string_view console);

// Checks what any script must satisfy, whatever the player typed and however
// the run ended: complete lines only, every bind naming an alias that the
// script defines (a weapon bind's alias on the line after it, a quick
// action's aliases around its bind), no key and no alias name used twice,
// the add-on fragments of an alias in their order and within their counts,
// at most one name, rcon, net graph and quick-action statement.
//
// And each line as the game console reads it: commands end at ';' outside
// double quotes, "//" there starts a comment, a quoted text is one word and
// ends at the next quote (one engine reads a backslash before it as escaping
// it, so none may stand there), each of { } ( ) ' : , is a word of its own
// outside quotes, and a control byte or a byte from 128 on may read as a
// blank there. Every line must be exactly one command; a bind exactly a key
// a press produces and an alias that the script defines; the name and the
// password exactly the words confirmed, where they are known, and the name
// one the game's player info takes (at most 126 characters, no backslash,
// no "..", no control byte). The whole script must be small enough for an
// exec to take it.
// Returns one text per problem found; none for a sound script.
std::vector<std::string> scriptProblems(std::string_view script,
                                        const ConfirmedWords& confirmed = {});

}  // namespace bindsmith::test
