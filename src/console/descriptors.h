#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The few calls on file descriptors that the program makes, one file per
// platform (descriptors_posix.cpp, descriptors_windows.cpp). Each returns
// the errno of the very call that failed.
namespace bindsmith {

// What one write did: took some bytes, failed with the reason the system
// gave, or found the destination given up for now (a console that nobody
// reads while the run ends), so that the text is dropped quietly.
struct WriteResult {
  enum class Kind { took, failed, givenUp };
  Kind kind = Kind::givenUp;
  std::size_t bytes = 0;  // more than none when it took some
  int error = 0;          // the errno when it failed, 0 if the call set none

  static WriteResult took(std::size_t bytes) { return {Kind::took, bytes, 0}; }
  static WriteResult failed(int error) { return {Kind::failed, 0, error}; }
  static WriteResult givenUp() { return {}; }
};

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;

// Points each of the descriptors 0, 1 and 2 that is closed at the null
// device, so that no file the program opens later takes its number: with
// standard error closed, the script would otherwise become descriptor 2 and
// receive whatever is written to standard error. A closed standard input
// then reads as ended and a closed standard output still fails every write
// with "Bad file descriptor". Nothing to do on Windows.
void openStandardDescriptors();

// Whether a read or write of `descriptor` can wait for another program: true
// for a pipe, a socket or a terminal, false for a file or a device such as
// /dev/null. Never on Windows, where such a wait cannot be interrupted.
bool canWait(int descriptor);

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

// One write call: it takes some of `text` (never empty), or fails.
WriteResult writeSome(int descriptor, std::string_view text);

// Opens a description of its own for the pipe or terminal behind
// `descriptor`, one whose reads and writes never wait (they fail with
// EAGAIN instead), without changing the description it shares with other
// programs. Returns -1 where there is none to be had (a socket, a system
// without /proc, Windows); the caller then goes on with `descriptor`.
int openPrivately(int descriptor, bool forWriting);

// Whether a read or write that failed with `error` only found that it would
// have to wait (or was cut short before it began): the caller waits, then
// tries again.
bool wouldWait(int error);

// Closes the descriptor; returns the errno if the close failed.
std::optional<int> closeDescriptor(int descriptor);

// Makes a regular file readable and writable by its owner alone (mode
// 0600), whatever mode it had; anything else (a device, a pipe) is left as
// it is. Returns the errno on failure. On Windows the folder's permissions
// rule, and nothing changes.
std::optional<int> restrictToOwner(int descriptor);

}  // namespace bindsmith
