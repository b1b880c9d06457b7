#include "console/descriptors.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace bindsmith {

void openStandardDescriptors() {}

bool writeCanWait(int /*descriptor*/) {
  return false;
}

Opened openForWriting(const std::string& name) {
  // Text mode: every line break is written as CR LF, as Windows programs expect.
  const int descriptor = _open(
      name.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_TEXT | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) {
    return {-1, errno};
  }
  return {descriptor, 0};
}

WriteResult writeSome(int descriptor, std::string_view text) {
  const auto size = static_cast<unsigned>(std::min<std::size_t>(text.size(), INT_MAX));
  // In text mode the count is of the bytes given, before each line break grew a CR.
  const int written = _write(descriptor, text.data(), size);
  if (written > 0) {
    return {static_cast<std::size_t>(written), std::nullopt};
  }
  return {0, written < 0 ? errno : 0};
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
