#pragma once

#include <string_view>

namespace bindsmith {

// A line break, a row of 55 stars and an empty line.
void printSeparator();

// The frame of every refusal and error report: a separator block, the
// message, a line break and a separator block.
void printFramed(std::string_view message);

}  // namespace bindsmith
