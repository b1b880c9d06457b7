#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "platform/result.h"

// Standard input and standard output at the level of the system: the block
// reads and the writes the console's streams are made of, each of which an
// interrupt can end (interrupts.h). Each platform has its own file behind
// this header.
namespace bindsmith {

// The standard descriptors' numbers, the same on every platform.
inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Call first, before any other file is opened. Points each of the standard
// descriptors that is closed at the null device, so that no file opened
// later takes its number: with standard error closed, the script would
// otherwise become descriptor 2 and receive what is written to standard
// error. A closed standard input then reads as ended, and a closed standard
// output fails every write with "Bad file descriptor". Then finds out how
// the two can be read and written without holding up an interrupt.
Result<void> openStandardStreams();

// Reads the next block of standard input: some bytes, or none when input
// has ended or an interrupt has come.
Result<std::size_t> readStandardInput(std::span<char> block);

// One write to standard output: it takes the start of `text`, or fails, or
// gives it up once the run is ending by an interrupt and whoever reads it
// takes nothing more.
WriteResult writeStandardOutput(std::string_view text);

}  // namespace bindsmith
