#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"

namespace bindsmith {

Result<int> openForWriting(const std::string& name) {
  constexpr mode_t kEveryoneReadsAndWrites = 0666;  // less the umask, as for any new file
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
  const int descriptor =
      open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, kEveryoneReadsAndWrites);
  return succeededIf(descriptor >= 0, descriptor);
}

Result<int> openForReading(const std::string& name) {
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
  const int descriptor = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  return succeededIf(descriptor >= 0, descriptor);
}

Result<FileFacts> factsOf(int descriptor) {
  constexpr mode_t kPermissionBits = 0777;
  struct stat status {};
  const bool known = fstat(descriptor, &status) == 0;
  return succeededIf(
      known, FileFacts{S_ISREG(status.st_mode), status.st_size, status.st_mode & kPermissionBits});
}

Result<int> createExclusively(const std::string& name, unsigned permissions) {
  constexpr unsigned kPermissionBits = 0777;
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
  const int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              static_cast<mode_t>(permissions & kPermissionBits));
  return succeededIf(descriptor >= 0, descriptor);
}

Result<void> removeFile(const std::string& name) {
  return succeededIf(unlink(name.c_str()) == 0);
}

Result<std::size_t> readSome(int descriptor, std::span<char> into) {
  const ssize_t count = read(descriptor, into.data(), into.size());
  return succeededIf(count >= 0, static_cast<std::size_t>(count));
}

Result<std::size_t> writeSome(int descriptor, std::string_view text) {
  return bytesTaken(write(descriptor, text.data(), text.size()));
}

Result<void> syncToDisk(int descriptor) {
  return succeededIf(fsync(descriptor) == 0);
}

Result<std::int64_t> writePosition(int descriptor) {
  const off_t position = lseek(descriptor, 0, SEEK_CUR);
  return succeededIf(position >= 0, std::int64_t{position});
}

Result<void> cutBack(int descriptor, std::int64_t length) {
  return succeededIf(ftruncate(descriptor, length) == 0 &&
                     lseek(descriptor, length, SEEK_SET) >= 0);
}

Result<void> restrictToOwner(int descriptor) {
  return succeededIf(fchmod(descriptor, S_IRUSR | S_IWUSR) == 0);
}

Result<void> closeDescriptor(int descriptor) {
  // Not retried on EINTR: the descriptor is gone either way.
  return succeededIf(close(descriptor) == 0);
}

}  // namespace bindsmith
