#pragma once

#include <cstdint>
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

// Opens `name` for writing from its start, in text mode where the platform
// has one, creating it if there is none; what it holds stays until
// cutBack(descriptor, 0). Returns the descriptor, or the errno of the failed
// open.
struct Opened {
  int descriptor = -1;
  int error = 0;
};
Opened openForWriting(const std::string& name);

// If `name` is a regular file holding at least one byte, copies its bytes to
// `copyName`, replacing any file of that name, with permissions no wider than
// the original's; the copy has reached the disk when this returns. A copy
// that fails is removed, and the original is never changed.
struct Copied {
  bool copied = false;  // false when there was nothing to keep, or on failure
  int error = 0;        // the errno of the failed call; 0 if none failed
};
Copied keepCopy(const std::string& name, const std::string& copyName);

// Where the next write to the file lands, in bytes on the disk; nothing
// where that cannot be told (a pipe).
std::optional<std::int64_t> writePosition(int descriptor);

// Cuts a regular file back to `length` bytes, and the next write lands
// there; a pipe or a device keeps nothing and is left as it is. Returns the
// errno on failure.
std::optional<int> cutBack(int descriptor, std::int64_t length);

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
