#include "console/descriptors.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>

namespace bindsmith {

void openStandardDescriptors() {}

bool canWait(int /*descriptor*/) {
  return false;
}

Opened openForWriting(const std::string& name) {
  // Text mode: every line break is written as CR LF, as Windows programs expect.
  const int descriptor =
      _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_TEXT | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) {
    return {-1, errno};
  }
  return {descriptor, 0};
}

namespace {

// Copies every byte from one descriptor to the other; errno on failure.
std::optional<int> copyBytes(int from, int to) {
  constexpr unsigned kChunk = 64U * 1024U;
  std::array<char, kChunk> chunk{};
  for (;;) {
    const int got = _read(from, chunk.data(), kChunk);
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
  // Binary both ways: the copy holds the very bytes, CR LF and all.
  const int from = _open(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (from < 0) {
    return {false, errno == ENOENT ? 0 : errno};
  }
  struct _stat64 status {};
  if (_fstat64(from, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG ||
      status.st_size == 0) {
    _close(from);
    return {};
  }
  // A read-only earlier copy cannot be removed until it is made writable.
  _chmod(copyName.c_str(), _S_IREAD | _S_IWRITE);
  std::optional<int> failure;
  if (_unlink(copyName.c_str()) != 0 && errno != ENOENT) {
    failure = errno;
  }
  int to = -1;
  if (!failure) {
    to = _open(copyName.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
               status.st_mode & (_S_IREAD | _S_IWRITE));
    if (to < 0) {
      failure = errno;
    }
  }
  if (!failure) {
    failure = copyBytes(from, to);
  }
  // On the disk before the original is emptied, or a crash could lose both.
  if (!failure && _commit(to) != 0) {
    failure = errno;
  }
  if (to >= 0 && _close(to) != 0 && !failure) {
    failure = errno;
  }
  _close(from);
  if (failure) {
    if (to >= 0) {
      _unlink(copyName.c_str());
    }
    return {false, *failure};
  }
  return {true, 0};
}

std::optional<std::int64_t> writePosition(int descriptor) {
  // In bytes on the disk, every line break's CR counted.
  const __int64 position = _lseeki64(descriptor, 0, SEEK_CUR);
  return position < 0 ? std::nullopt : std::optional<std::int64_t>{position};
}

std::optional<int> cutBack(int descriptor, std::int64_t length) {
  struct _stat64 status {};
  if (_fstat64(descriptor, &status) != 0) {
    return errno;
  }
  if ((status.st_mode & _S_IFMT) != _S_IFREG) {
    return std::nullopt;  // a device keeps nothing to cut
  }
  if (const errno_t error = _chsize_s(descriptor, length); error != 0) {
    return error;
  }
  if (_lseeki64(descriptor, length, SEEK_SET) < 0) {
    return errno;
  }
  return std::nullopt;
}

WriteResult writeSome(int descriptor, std::string_view text) {
  const auto size = static_cast<unsigned>(std::min<std::size_t>(text.size(), INT_MAX));
  // In text mode the count is of the bytes given, before each line break grew a CR.
  const int written = _write(descriptor, text.data(), size);
  if (written > 0) {
    return WriteResult::took(static_cast<std::size_t>(written));
  }
  return WriteResult::failed(written < 0 ? errno : 0);
}

bool wouldWait(int /*error*/) {
  return false;
}

int openPrivately(int /*descriptor*/, bool /*forWriting*/) {
  return -1;  // console writes and reads are not interrupted here
}

std::optional<int> closeDescriptor(int descriptor) {
  if (_close(descriptor) != 0) {
    return errno;
  }
  return std::nullopt;
}

std::optional<int> restrictToOwner(int /*descriptor*/) {
  return std::nullopt;
}

}  // namespace bindsmith
