#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "console/output_buffer.h"

// The few calls on file descriptors that the program makes, one file per
// platform (descriptors_posix.cpp, descriptors_windows.cpp). Each returns
// the errno of the very call that failed.
namespace bindsmith {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;

// Points each of the descriptors 0, 1 and 2 that is closed at the null
// device, so that no file the program opens later takes its number: with
// standard error closed, the script would otherwise become descriptor 2 and
// receive whatever is written to standard error. A closed standard input
// then reads as ended and a closed standard output still fails every write
// with "Bad file descriptor". Nothing to do on Windows.
void openStandardDescriptors();

// Whether a write to `descriptor` can wait for someone else to read: true
// for a pipe, a socket or a terminal, false for a file or a device such as
// /dev/null. Never on Windows, where such a write cannot be interrupted.
bool writeCanWait(int descriptor);

// Creates or empties `name` for writing, in text mode where the platform has
// one. Returns the descriptor, or the errno of the failed open.
struct Opened {
  int descriptor = -1;
  int error = 0;
};
Opened openForWriting(const std::string& name);

// One write call.
WriteResult writeSome(int descriptor, std::string_view text);

// Closes the descriptor; returns the errno if the close failed.
std::optional<int> closeDescriptor(int descriptor);

// Makes a regular file readable and writable by its owner alone (mode
// 0600), whatever mode it had; anything else (a device, a pipe) is left as
// it is. Returns the errno on failure. On Windows the folder's permissions
// rule, and nothing changes.
std::optional<int> restrictToOwner(int descriptor);

}  // namespace bindsmith
