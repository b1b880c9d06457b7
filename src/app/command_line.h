#pragma once

#include <optional>
#include <span>

namespace bindsmith {

// Answers --help (or -h) and --version, whichever comes first among the
// arguments: prints the usage, or "bindsmith VERSION" with the copyright and
// the licence, and returns the exit status, 0.
// Every other argument is ignored, as it always was; with no such option it
// prints nothing and returns nothing, and the session goes ahead.
std::optional<int> answerCommandLine(std::span<char* const> arguments);

}  // namespace bindsmith
