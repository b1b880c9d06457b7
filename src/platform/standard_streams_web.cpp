#include <emscripten.h>

#include "platform/files.h"
#include "platform/interrupts.h"
#include "platform/standard_streams.h"

// The page hands over each block of standard input when it has one (a
// pasted block of answers arrives line by line). The read waits for the
// page without holding up the browser (asyncify), so everything else of the
// program is as on a console. Standard output is emscripten's, which the
// page shows.
namespace bindsmith {

namespace {

constexpr int kStandardOutput = 1;

// JavaScript, which clang-format would rewrite as C++.
// clang-format off

// Asks the page for up to `size` bytes of standard input; waits until it has
// some. Returns the count, 0 at the end of input, -1 if the run is ending by
// an interrupt. A page that gives no reader ends input at once.
// NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): expands to a JS import
EM_ASYNC_JS(int, bindsmithReadInput, (char* buffer, int size), {
  if (!Module['bindsmithRead']) {
    return 0;
  }
  const block = await Module['bindsmithRead'](size);
  if (!block) {
    return -1;
  }
  HEAPU8.set(block.subarray(0, size), buffer);
  return Math.min(block.length, size);
});

// clang-format on

}  // namespace

Result<void> openStandardStreams() {
  return {};
}

// An interrupt is the end of input, as it is on a console.
Result<std::size_t> readStandardInput(std::span<char> block) {
  if (interrupted()) {
    return std::size_t{0};
  }
  const int count = bindsmithReadInput(block.data(), static_cast<int>(block.size()));
  return static_cast<std::size_t>(count > 0 ? count : 0);
}

WriteResult writeStandardOutput(std::string_view text) {
  return neverGivenUp(writeSome(kStandardOutput, text));
}

}  // namespace bindsmith
