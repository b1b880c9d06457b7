#pragma once

#include <optional>
#include <string_view>

namespace bindsmith {

// Asks for the key to bind `label` to, echoes it for confirmation and
// reserves it in runState.usedKeys. Call it right after a promptChoice
// answer: it first drops the rest of that answer's line. A key already taken
// is refused only once the player confirms it; a key the game cannot bind
// (a double quote, a control byte, a byte from 128 on) is refused at once,
// unechoed. Returns nothing, after a line saying so, when every possible key
// is taken. Throws EndOfInput.
std::optional<char> captureBindKey(std::string_view label);

}  // namespace bindsmith
