#include <emscripten.h>

#include <csignal>
#include <cstdlib>

#include "platform/interrupts.h"

// In a web page there are no signals and nothing to wait on: the page that
// runs the program (a terminal in a browser, or a host under node) says
// whether the player pressed Ctrl-C, and its reads end when the player did
// (standard_streams_web.cpp).
namespace bindsmith {

namespace {

// JavaScript, which clang-format would rewrite as C++. What the page offers
// it is written once, in the contract at the top of web/program_host.js.
// clang-format off

// Whether the page saw Ctrl-C.
// NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): expands to a JS import
EM_JS(int, bindsmithPageInterrupted, (), {
  return Module['bindsmithInterrupted'] && Module['bindsmithInterrupted']() ? 1 : 0;
});

// clang-format on

bool caught = false;

}  // namespace

InterruptCatcher::InterruptCatcher() = default;

InterruptCatcher::~InterruptCatcher() {
  caught = false;
}

bool interrupted() {
  if (!caught && bindsmithPageInterrupted() != 0) {
    caught = true;
  }
  return caught;
}

int endByInterrupt(int status) {
  // The page has no signal to end by; it gets the status a shell shows for
  // Ctrl-C. Once a read has waited for the page, main no longer returns to
  // anyone who could take its status, so the run ends here, by exit, in
  // every case.
  constexpr int kKilledBySignal = 128;
  std::exit(interrupted() ? kKilledBySignal + SIGINT : status);
}

}  // namespace bindsmith
