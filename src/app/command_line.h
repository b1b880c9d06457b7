#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/result.h"

namespace bindsmith {

// Answers --help (or -h) and --version, whichever comes first among the
// arguments: prints the usage, or "bindsmith VERSION" with the copyright and
// the licence, and returns the exit status, 0. Without either, names each
// argument that starts with "-" and is no option on standard error, in one
// line each, and returns nothing: the session goes ahead. Any other
// argument (a file dropped on the program, say) is ignored.
std::optional<int> answerCommandLine(std::span<char* const> arguments);

// Says on standard error, in one line, that setting up `what` failed and
// why; the program goes on as well as it can.
void warnIfFailed(std::string_view what, const Result<void>& setUp);

}  // namespace bindsmith
