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

// JavaScript, which clang-format would rewrite as C++. What the page offers
// it is written once, in the contract at the top of web/program_host.js.
// clang-format off

// A JavaScript import the program may wait on (asyncify), as EM_ASYNC_JS
// declares one, but with a body of its own: the wait's continuation must
// catch the program's exit (below), which EM_ASYNC_JS would let escape.
#define BINDSMITH_WAITING_JS(ret, name, params, ...) \
  _EM_JS(ret, name, __asyncjs__##name, params, #__VA_ARGS__)

// Asks the page for up to `size` bytes of standard input; waits until it has
// some. Returns the count, 0 at the end of input, -1 if the run is ending by
// an interrupt. A page that gives no reader ends input at once.
// The program goes on inside the wait's continuation, and ends there too:
// exit() unwinds by throwing emscripten's ExitStatus once onExit has the
// status. That is the run's orderly end, so it stops here; anything else
// thrown is a fault, and goes on to the page.
// NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): expands to a JS import
BINDSMITH_WAITING_JS(int, bindsmithReadInput, (char* buffer, int size), {
  return Asyncify.handleSleep((wakeUp) => {
    const reader = Module['bindsmithRead'];
    Promise.resolve(reader ? reader(size) : new Uint8Array(0)).then((block) => {
      let count = -1;
      if (block) {
        count = Math.min(block.length, size);
        HEAPU8.set(block.subarray(0, count), buffer);
      }
      try {
        wakeUp(count);
      } catch (thrown) {
        if (!(thrown instanceof ExitStatus)) {
          throw thrown;
        }
      }
    });
  });
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
  return WriteResult::of(writeSome(kStandardOutput, text));
}

}  // namespace bindsmith
