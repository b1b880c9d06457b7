#include "console/descriptors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace bindsmith {

void openStandardDescriptors() {
  constexpr int kStandardError = 2;
  for (int descriptor = kStandardInput; descriptor <= kStandardError; ++descriptor) {
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): fcntl is variadic
    if (fcntl(descriptor, F_GETFD) != -1) {
      continue;
    }
    // The lowest free number is this one, as all below it are open. Standard
    // output is opened for reading only, so its writes fail as before.
    const int flags = descriptor == kStandardError ? O_WRONLY : O_RDONLY;
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
    [[maybe_unused]] const int opened = open("/dev/null", flags | O_CLOEXEC);
  }
}

bool canWait(int descriptor) {
  struct stat status {};  // left zero, a mode of nothing, if fstat fails
  fstat(descriptor, &status);
  return S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode) || isatty(descriptor) == 1;
}

Opened openForWriting(const std::string& name) {
  constexpr mode_t kEveryoneReadsAndWrites = 0666;  // less the umask, as for any new file
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
  const int descriptor =
      open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, kEveryoneReadsAndWrites);
  if (descriptor < 0) {
    return {-1, errno};
  }
  return {descriptor, 0};
}

namespace {

// Copies every byte from one descriptor to the other; errno on failure.
std::optional<int> copyBytes(int from, int to) {
  constexpr std::size_t kChunk = std::size_t{64} * 1024;
  std::array<char, kChunk> chunk{};
  for (;;) {
    // Never EINTR: the interrupts are let in only while the program waits.
    const ssize_t got = read(from, chunk.data(), chunk.size());
    if (got < 0) {
      return errno;
    }
    if (got == 0) {
      return std::nullopt;
    }
    std::string_view rest(chunk.data(), static_cast<std::size_t>(got));
    while (!rest.empty()) {
      const WriteResult result = writeSome(to, rest);
      if (result.kind != WriteResult::Kind::took) {
        return result.error != 0 ? result.error : EIO;
      }
      rest.remove_prefix(result.bytes);
    }
  }
}

}  // namespace

Copied keepCopy(const std::string& name, const std::string& copyName) {
  constexpr mode_t kPermissions = 0777;
  // Opened without waiting, so that a pipe of that name cannot hang the run.
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
  const int from = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (from < 0) {
    return {false, errno == ENOENT ? 0 : errno};
  }
  struct stat status {};
  if (fstat(from, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size == 0) {
    close(from);
    return {};
  }
  // A new file, so that it takes the original's permissions and no earlier
  // copy's, nor another file that an earlier copy's name linked to.
  std::optional<int> failure;
  if (unlink(copyName.c_str()) != 0 && errno != ENOENT) {
    failure = errno;
  }
  int to = -1;
  if (!failure) {
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
    to = open(copyName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
              status.st_mode & kPermissions);
    if (to < 0) {
      failure = errno;
    }
  }
  if (!failure) {
    failure = copyBytes(from, to);
  }
  // On the disk before the original is emptied, or a crash could lose both.
  if (!failure && fsync(to) != 0) {
    failure = errno;
  }
  if (to >= 0 && close(to) != 0 && !failure) {
    failure = errno;
  }
  close(from);
  if (failure) {
    if (to >= 0) {
      unlink(copyName.c_str());
    }
    return {false, *failure};
  }
  return {true, 0};
}

std::optional<std::int64_t> writePosition(int descriptor) {
  const off_t position = lseek(descriptor, 0, SEEK_CUR);
  return position < 0 ? std::nullopt : std::optional<std::int64_t>{position};
}

std::optional<int> cutBack(int descriptor, std::int64_t length) {
  struct stat status {};
  if (fstat(descriptor, &status) != 0) {
    return errno;
  }
  if (!S_ISREG(status.st_mode)) {
    return std::nullopt;  // a pipe or a device keeps nothing to cut
  }
  if (ftruncate(descriptor, length) != 0 || lseek(descriptor, length, SEEK_SET) < 0) {
    return errno;
  }
  return std::nullopt;
}

WriteResult writeSome(int descriptor, std::string_view text) {
  // Never EINTR: the interrupts are let in only while the program waits.
  const ssize_t written = write(descriptor, text.data(), text.size());
  if (written > 0) {
    return WriteResult::took(static_cast<std::size_t>(written));
  }
  return WriteResult::failed(written < 0 ? errno : 0);
}

bool wouldWait(int error) {
  return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

int openPrivately(int descriptor, bool forWriting) {
  // Opening the descriptor's /proc entry makes a new description of the same
  // pipe or terminal: its O_NONBLOCK is its own. Not a controlling terminal.
  const std::string path = "/proc/self/fd/" + std::to_string(descriptor);
  const int access = forWriting ? O_WRONLY : O_RDONLY;
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
  return open(path.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

std::optional<int> closeDescriptor(int descriptor) {
  // Not retried on EINTR: the descriptor is gone either way.
  return close(descriptor) == 0 ? std::nullopt : std::optional<int>{errno};
}

std::optional<int> restrictToOwner(int descriptor) {
  // A device or a pipe keeps nothing, and its mode is shared with every
  // other program: /dev/null must stay writable by all.
  struct stat status {};
  const bool regular = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
  const bool failed = regular && fchmod(descriptor, S_IRUSR | S_IWUSR) != 0;
  return failed ? std::optional<int>{errno} : std::nullopt;
}

}  // namespace bindsmith
