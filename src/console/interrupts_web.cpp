#include <emscripten.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <span>
#include <streambuf>

#include "console/block_input.h"
#include "console/interrupts.h"

// In a web page there are no signals and no descriptor to wait on. The page
// that runs the program (a terminal in a browser, or a host under node)
// hands over each block of standard input when it has one, and says whether
// the player pressed Ctrl-C. The read waits for the page without holding up
// the browser (asyncify), so everything else of the program is unchanged.
namespace bindsmith {

namespace {

// The two calls into the page are JavaScript, which clang-format would
// rewrite as C++. What the page offers them is written once, in the
// contract at the top of web/program_host.js.
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

// Whether the page saw Ctrl-C.
// NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): expands to a JS import
EM_JS(int, bindsmithPageInterrupted, (), {
  return Module['bindsmithInterrupted'] && Module['bindsmithInterrupted']() ? 1 : 0;
});

// clang-format on

bool caught = false;
bool catching = false;

// Standard input in the blocks the page hands over (a pasted block of
// answers arrives whole, line by line). An interrupt is the end of input, as
// it is for a console.
class PageInput : public BlockInput {
 protected:
  std::ptrdiff_t fill(std::span<char> block) override {
    if (interrupted()) {
      return 0;
    }
    const int count = bindsmithReadInput(block.data(), static_cast<int>(block.size()));
    if (count < 0) {
      caught = true;
    }
    return count;
  }
};

PageInput pageInput;
std::streambuf* ownInput = nullptr;

}  // namespace

std::string_view interruptedStatuses() {
  return "130 when\nCtrl-C ended the run";
}

void catchInterrupts() {
  ownInput = std::cin.rdbuf(&pageInput);
  catching = true;
}

bool interrupted() {
  if (!caught && catching && bindsmithPageInterrupted() != 0) {
    caught = true;
  }
  return caught;
}

bool waitToWrite(int /*descriptor*/) {
  return true;
}

int endByInterrupt(int status) {
  // The page has no signal to end by; it gets the status a shell shows for
  // Ctrl-C. Once a read has waited for the page, main no longer returns to
  // anyone who could take its status, so the run ends here, by exit, in
  // every case.
  constexpr int kKilledBySignal = 128;
  std::exit(interrupted() ? kKilledBySignal + SIGINT : status);
}

void releaseInterrupts() {
  if (!catching) {
    return;
  }
  std::cin.rdbuf(ownInput);
  caught = false;
  catching = false;
}

}  // namespace bindsmith
