#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bindsmith::test {

// Checks what any script must satisfy, whatever the player typed and however
// the run ended: complete lines only, every bind naming an alias that the
// script defines (a weapon bind's alias on the line after it, a quick
// action's aliases around its bind), the key ';' quoted, no key and no alias
// name used twice, the add-on fragments of an alias in their order and within
// their counts, at most one name, rcon, net graph and quick-action statement.
// Returns one text per problem found; none for a sound script.
std::vector<std::string> scriptProblems(std::string_view script);

}  // namespace bindsmith::test
