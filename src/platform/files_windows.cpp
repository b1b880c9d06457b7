#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/files.h"

namespace bindsmith {

namespace {

constexpr int kReadWrite = _S_IREAD | _S_IWRITE;

}  // namespace

Result<int> openForWriting(const std::string& name) {
  // Text mode: every line break is written as CR LF, as Windows programs expect.
  const int descriptor =
      _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_TEXT | _O_NOINHERIT, kReadWrite);
  return succeededIf(descriptor >= 0, descriptor);
}

Result<int> openForReading(const std::string& name) {
  // Binary: the very bytes, CR LF and all.
  const int descriptor = _open(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  return succeededIf(descriptor >= 0, descriptor);
}

Result<FileFacts> factsOf(int descriptor) {
  struct _stat64 status {};
  const bool known = _fstat64(descriptor, &status) == 0;
  return succeededIf(known, FileFacts{(status.st_mode & _S_IFMT) == _S_IFREG, status.st_size,
                                      static_cast<unsigned>(status.st_mode & kReadWrite)});
}

Result<int> createExclusively(const std::string& name, unsigned permissions) {
  const int descriptor =
      _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
            static_cast<int>(permissions) & kReadWrite);
  return succeededIf(descriptor >= 0, descriptor);
}

Result<void> removeFile(const std::string& name) {
  // A read-only file cannot be removed until it is made writable.
  _chmod(name.c_str(), kReadWrite);
  return succeededIf(_unlink(name.c_str()) == 0);
}

Result<std::size_t> readSome(int descriptor, std::span<char> into) {
  const auto size = static_cast<unsigned>(std::min<std::size_t>(into.size(), INT_MAX));
  const int count = _read(descriptor, into.data(), size);
  return succeededIf(count >= 0, static_cast<std::size_t>(count));
}

Result<std::size_t> writeSome(int descriptor, std::string_view text) {
  const auto size = static_cast<unsigned>(std::min<std::size_t>(text.size(), INT_MAX));
  // In text mode the count is of the bytes given, before each line break grew a CR.
  return bytesTaken(_write(descriptor, text.data(), size));
}

Result<void> syncToDisk(int descriptor) {
  return succeededIf(_commit(descriptor) == 0);
}

Result<std::int64_t> writePosition(int descriptor) {
  // In bytes on the disk, every line break's CR counted.
  const __int64 position = _lseeki64(descriptor, 0, SEEK_CUR);
  return succeededIf(position >= 0, std::int64_t{position});
}

Result<void> cutBack(int descriptor, std::int64_t length) {
  if (const errno_t error = _chsize_s(descriptor, length); error != 0) {
    return Failure{error};
  }
  return succeededIf(_lseeki64(descriptor, length, SEEK_SET) >= 0);
}

Result<void> restrictToOwner(int /*descriptor*/) {
  return {};
}

Result<void> closeDescriptor(int descriptor) {
  return succeededIf(_close(descriptor) == 0);
}

}  // namespace bindsmith
