#include "config/kept_copy.h"

#include <array>
#include <cerrno>
#include <string_view>

#include "platform/files.h"

namespace bindsmith {

namespace {

Result<void> copyBytes(int from, int to) {
  constexpr std::size_t kChunk = std::size_t{64} * 1024;
  std::array<char, kChunk> chunk{};
  for (;;) {
    const Result<std::size_t> read = readSome(from, chunk);
    if (!read.ok()) {
      return read.failure();
    }
    if (read.value() == 0) {
      return {};
    }
    std::string_view rest(chunk.data(), read.value());
    while (!rest.empty()) {
      const Result<std::size_t> written = writeSome(to, rest);
      if (!written.ok()) {
        return written.failure();
      }
      rest.remove_prefix(written.value());
    }
  }
}

// Copies the open original `from` whole, synced, or leaves no copy at all.
Result<void> copyWhole(int from, const std::string& copyName, unsigned permissions) {
  // A new file, so that it takes the original's permissions and no earlier
  // copy's, and so that no other file an earlier copy's name linked to is
  // written.
  if (const Result<void> removed = removeFile(copyName);
      !removed.ok() && removed.failure().error() != ENOENT) {
    return removed.failure();
  }
  const Result<int> to = createExclusively(copyName, permissions);
  if (!to.ok()) {
    return to.failure();
  }
  Result<void> copied = copyBytes(from, to.value());
  // On the disk before the original is emptied, or a crash could lose both.
  if (copied.ok()) {
    copied = syncToDisk(to.value());
  }
  if (const Result<void> closed = closeDescriptor(to.value()); copied.ok()) {
    copied = closed;
  }
  if (!copied.ok()) {
    static_cast<void>(removeFile(copyName));  // the copy's failure is the one to tell
  }
  return copied;
}

}  // namespace

Result<bool> keepCopy(const std::string& name, const std::string& copyName) {
  const Result<int> original = openForReading(name);
  if (!original.ok()) {
    return original.failure();
  }
  const Result<FileFacts> facts = factsOf(original.value());
  Result<bool> kept = false;
  if (!facts.ok()) {
    kept = facts.failure();
  } else if (facts.value().regular && facts.value().size > 0) {
    const Result<void> copied = copyWhole(original.value(), copyName, facts.value().permissions);
    kept = copied.ok() ? Result<bool>{true} : copied.failure();
  }
  static_cast<void>(closeDescriptor(original.value()));  // only read: nothing to lose
  return kept;
}

}  // namespace bindsmith
