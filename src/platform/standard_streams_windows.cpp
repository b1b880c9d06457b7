#include <io.h>
#include <windows.h>

#include <algorithm>
#include <climits>

#include "platform/console_reads_windows.h"
#include "platform/files.h"
#include "platform/standard_streams.h"

namespace bindsmith {

namespace {}  // namespace

Result<void> openStandardStreams() {
  return {};  // Windows gives a program that has none a null device of its own
}

// Read through the C runtime, which turns CR LF into LF and ends the input
// at Ctrl-Z, as in every Windows console program. A read that Ctrl-C or the
// handler cut short, or one that an interrupt makes pointless, is the end.
Result<std::size_t> readStandardInput(std::span<char> block) {
  if (!beginConsoleRead()) {
    return std::size_t{0};
  }
  SetLastError(ERROR_SUCCESS);
  const auto size = static_cast<unsigned>(std::min<std::size_t>(block.size(), INT_MAX));
  const int count = _read(kStandardInput, block.data(), size);
  const bool aborted = GetLastError() == ERROR_OPERATION_ABORTED;
  if (endConsoleRead(aborted)) {
    return std::size_t{0};
  }
  return succeededIf(count >= 0, static_cast<std::size_t>(count));
}

// Never waits for whoever reads it: a Windows console write cannot be
// interrupted, so none is ever given up.
WriteResult writeStandardOutput(std::string_view text) {
  return WriteResult::of(writeSome(kStandardOutput, text));
}

}  // namespace bindsmith
