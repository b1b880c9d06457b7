#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bindsmith::test {

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
// ends at the next quote, each of { } ( ) ' : is a word of its own outside
// quotes, and a control byte or a byte from 128 on may read as a blank
// there. Every line must be exactly one command; a bind exactly a key and an
// alias that the script defines; the name and the password exactly the
// words confirmed, where they are known.
// Returns one text per problem found; none for a sound script.
std::vector<std::string> scriptProblems(std::string_view script,
                                        const ConfirmedWords& confirmed = {});

}  // namespace bindsmith::test
