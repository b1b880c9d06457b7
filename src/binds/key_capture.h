#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "console/prompt.h"

namespace bindsmith {

// A key is one byte.
inline constexpr std::size_t kByteValues = 256;

// The keys bound so far in a run, one flag per byte value: a key, once
// bound, stays taken for the rest of the run.
using UsedKeys = std::array<bool, kByteValues>;

// The question for a bind's key, the bind's label between its two parts;
// the program waits for the key at the end of it. The page knows a key
// question by it.
struct KeyQuestion {
  std::string_view before;
  std::string_view after;
};
inline constexpr KeyQuestion kKeyQuestion{"Please enter the key you wish to bind ", " to: "};

// Asks for the key to bind `label` to, echoes it for confirmation and
// reserves it in `usedKeys`. Call it right after a promptChoice answer: it
// first drops the rest of that answer's line. A key already taken is
// refused only once the player confirms it; a byte that no key press reaches
// the game as (game_syntax.h) is refused at once, unechoed, and an upper-case
// letter stands for its letter's key from the echo on. Returns nothing,
// after a line saying so, when every key that can be bound is taken. Throws
// EndOfInput.
std::optional<char> captureBindKey(Console& console, std::string_view label, UsedKeys& usedKeys);

}  // namespace bindsmith
