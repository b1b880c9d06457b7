#include <poll.h>
#include <signal.h>  // NOLINT(modernize-deprecated-headers): sigaction, sigprocmask

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>

#include "platform/interrupts.h"
#include "platform/waits_posix.h"

#ifdef BINDSMITH_COVERAGE
// The coverage runtime's own flush: a process that dies by a signal never
// reaches the exit that would write its counters.
extern "C" void __gcov_dump();  // NOLINT(bugprone-reserved-identifier)
#endif

// The handler only records the interrupt, so checking for one costs
// nothing. A read or write that finds nothing to read or no room waits in
// ppoll, and there the interrupts are blocked from just before the last
// check until the wait lets them in, atomically: one cannot slip in between
// the check and the wait and leave the program waiting for ever.
namespace bindsmith {

namespace {

constexpr std::array<int, 3> kInterrupts{SIGINT, SIGTERM, SIGHUP};
constexpr timespec kNow{0, 0};

// The first interrupt caught, or 0. The handler's one way to tell.
volatile std::sig_atomic_t caughtSignal = 0;

// What catching changed, to give back.
struct Catching {
  sigset_t handled{};  // those not ignored at start
  // The mask while waiting: the one the program started with, less the
  // interrupts it catches.
  sigset_t waitMask{};
  sigset_t startMask{};
  std::array<struct sigaction, kInterrupts.size()> previousActions{};
  struct sigaction previousPipeAction {};
};
Catching catching;

extern "C" void recordInterrupt(int signal) {
  if (caughtSignal == 0) {
    caughtSignal = signal;
  }
}

// Catches each interrupt that is not ignored; false if a call failed.
bool catchEach() {
  struct sigaction action {};
  action.sa_handler = recordInterrupt;
  // One interrupt at a time; no SA_RESTART, so a wait returns at once.
  sigemptyset(&action.sa_mask);
  sigemptyset(&catching.handled);
  for (const int signal : kInterrupts) {
    sigaddset(&action.sa_mask, signal);
  }
  bool caught = true;
  for (std::size_t i = 0; i < kInterrupts.size() && caught; ++i) {
    const int signal = kInterrupts.at(i);
    struct sigaction& previous = catching.previousActions.at(i);
    caught = sigaction(signal, nullptr, &previous) == 0;
    if (caught && previous.sa_handler != SIG_IGN) {
      sigaddset(&catching.handled, signal);
      caught = sigaction(signal, &action, nullptr) == 0;
    }
  }
  return caught;
}

// Writing to a reader that has gone fails with EPIPE, which the standard
// output watch reports at the end. The interrupts are let in even if
// whoever started the program had blocked them, so that one coming while
// the program is busy is seen at the next check.
Result<void> catchSignals() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  if (sigaction(SIGPIPE, &ignore, &catching.previousPipeAction) != 0 || !catchEach() ||
      sigprocmask(SIG_UNBLOCK, &catching.handled, &catching.startMask) != 0) {
    return lastFailure();
  }
  catching.waitMask = catching.startMask;
  for (const int signal : kInterrupts) {
    if (sigismember(&catching.handled, signal) == 1) {
      sigdelset(&catching.waitMask, signal);
    }
  }
  return {};
}

// Waits for `events` on `descriptor`, with the interrupts let in. Once the
// run is ending by an interrupt it only looks: false if not ready. Any other
// trouble is left for the read or write itself to report.
bool waitFor(int descriptor, short events) {
  pollfd wanted{descriptor, events, 0};
  for (;;) {
    if (caughtSignal != 0) {
      return ppoll(&wanted, 1, &kNow, nullptr) != 0;
    }
    sigset_t running{};
    sigprocmask(SIG_BLOCK, &catching.handled, &running);
    // One that came since the check above has set the flag by now; one that
    // comes from here on stays pending until ppoll lets it in, which ends
    // the wait at once. None comes unseen between this check and the wait.
    const int ready = caughtSignal != 0 ? -1 : ppoll(&wanted, 1, nullptr, &catching.waitMask);
    const int error = errno;
    sigprocmask(SIG_SETMASK, &running, nullptr);
    if (ready > 0 || (ready < 0 && error != EINTR && caughtSignal == 0)) {
      return true;  // ready, or trouble for the read or write itself to report
    }
  }
}

// Ends the process by `signal`'s default action, as if it had not been
// caught (a shell then sees 128 plus its number).
[[noreturn]] void endBySignal(int signal) {
  sigset_t only{};
  sigemptyset(&only);
  sigaddset(&only, signal);
  sigprocmask(SIG_BLOCK, &only, nullptr);
  std::signal(signal, SIG_DFL);
  std::raise(signal);  // pending until unblocked
#ifdef BINDSMITH_COVERAGE
  __gcov_dump();
#endif
  sigprocmask(SIG_UNBLOCK, &only, nullptr);  // the process ends here, by the signal
  constexpr int kKilledBySignal = 128;
  std::_Exit(kKilledBySignal + signal);  // as the shell shows it, should it not
}

}  // namespace

InterruptCatcher::InterruptCatcher() : setUp_(catchSignals()) {}

InterruptCatcher::~InterruptCatcher() {
  sigprocmask(SIG_SETMASK, &catching.startMask, nullptr);
  for (std::size_t i = 0; i < kInterrupts.size(); ++i) {
    sigaction(kInterrupts.at(i), &catching.previousActions.at(i), nullptr);
  }
  sigaction(SIGPIPE, &catching.previousPipeAction, nullptr);
  catching = Catching{};
  caughtSignal = 0;
}

bool interrupted() {
  return caughtSignal != 0;
}

bool waitToRead(int descriptor) {
  return waitFor(descriptor, POLLIN);
}

bool waitToWrite(int descriptor) {
  return waitFor(descriptor, POLLOUT);
}

int endByInterrupt(int status) {
  if (!interrupted()) {
    return status;
  }
  endBySignal(caughtSignal);
}

}  // namespace bindsmith
