#include "console/descriptors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool writeCanWait(int descriptor) {
  struct stat status {};  // left zero, a mode of nothing, if fstat fails
  fstat(descriptor, &status);
  return S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode) || isatty(descriptor) == 1;
}

Opened openForWriting(const std::string& name) {
  constexpr mode_t kEveryoneReadsAndWrites = 0666;  // less the umask, as for any new file
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
  const int descriptor =
      open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kEveryoneReadsAndWrites);
  if (descriptor < 0) {
    return {-1, errno};
  }
  return {descriptor, 0};
}

WriteResult writeSome(int descriptor, std::string_view text) {
  // Never EINTR: the interrupts are let in only while the program waits.
  const ssize_t written = write(descriptor, text.data(), text.size());
  if (written > 0) {
    return {static_cast<std::size_t>(written), std::nullopt};
  }
  return {0, written < 0 ? errno : 0};
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
