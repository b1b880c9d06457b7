#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/files.h"
#include "platform/interrupts.h"
#include "platform/standard_streams.h"
#include "platform/waits_posix.h"

// Standard input and output are read and written through descriptions of
// their own that never wait, where the system gives them, so that only a
// read or write that would wait pays for waiting, and that wait lets the
// interrupts in (waits_posix.h).
namespace bindsmith {

namespace {

// How one standard stream is read or written.
struct Stream {
  int descriptor;
  // A description of its own that never waits: a read or write that would
  // wait fails with EAGAIN, and only then is it waited for.
  bool own = false;
  // Whether it can wait for another program at all: a pipe, a socket or a
  // terminal, not a file or a device such as /dev/null.
  bool waits = false;
};
Stream input{kStandardInput};
Stream output{kStandardOutput};

bool canWait(int descriptor) {
  struct stat status {};  // left zero, a mode of nothing, if fstat fails
  fstat(descriptor, &status);
  return S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode) || isatty(descriptor) == 1;
}

// Opening the descriptor's /proc entry makes a new description of the same
// pipe or terminal, whose O_NONBLOCK is its own, without changing the one
// it shares with other programs. None for a file (it would read from its
// start again, not from where the caller left it), a socket, or a system
// without /proc.
Stream findOutHowItWaits(int descriptor, int access) {
  Stream stream{descriptor};
  stream.waits = canWait(descriptor);
  if (!stream.waits) {
    return stream;
  }
  const std::string path = "/proc/self/fd/" + std::to_string(descriptor);
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
  const int own = open(path.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (own >= 0) {
    stream.descriptor = own;
    stream.own = true;
  }
  return stream;
}

// Whether a read or write that failed with `error` only found that it
// would have to wait (or was cut short before it began).
bool wouldWait(int error) {
  return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

}  // namespace

Result<void> openStandardStreams() {
  for (int descriptor = kStandardInput; descriptor <= kStandardError; ++descriptor) {
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): fcntl is variadic
    if (fcntl(descriptor, F_GETFD) != -1) {
      continue;
    }
    // The lowest free number is this one, as all below it are open. Standard
    // output is opened for reading only, so that its writes still fail.
    const int access = descriptor == kStandardError ? O_WRONLY : O_RDONLY;
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
    if (open("/dev/null", access | O_CLOEXEC) != descriptor) {
      return lastFailure();
    }
  }
  // Only now, when no standard number is free to be taken by them.
  input = findOutHowItWaits(kStandardInput, O_RDONLY);
  output = findOutHowItWaits(kStandardOutput, O_WRONLY);
  return {};
}

Result<std::size_t> readStandardInput(std::span<char> block) {
  for (;;) {
    if (input.waits && !input.own) {
      waitToRead(input.descriptor);
    }
    if (interrupted()) {
      return std::size_t{0};
    }
    const Result<std::size_t> read = readSome(input.descriptor, block);
    if (read.ok() || !wouldWait(read.failure().error())) {
      return read;
    }
    waitToRead(input.descriptor);
  }
}

WriteResult writeStandardOutput(std::string_view text) {
  // What a pipe with room takes whole (PIPE_BUF), so that one that has room
  // never takes part of it, and one that must wait never waits long.
  constexpr std::size_t kAtomicWrite = 4096;
  const bool waitFirst = output.waits && !output.own;
  for (;;) {
    if (waitFirst && !waitToWrite(output.descriptor)) {
      return WriteResult::givenUp();
    }
    const Result<std::size_t> written = writeSome(output.descriptor, text.substr(0, kAtomicWrite));
    if (written.ok()) {
      return WriteResult::took(written.value());
    }
    if (!wouldWait(written.failure().error())) {
      return written.failure();
    }
    if (!waitFirst && !waitToWrite(output.descriptor)) {
      return WriteResult::givenUp();
    }
  }
}

}  // namespace bindsmith
