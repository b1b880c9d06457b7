#include "console/interrupts.h"

#include <poll.h>
#include <signal.h>  // NOLINT(modernize-deprecated-headers): sigaction, sigprocmask
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <iostream>
#include <span>
#include <streambuf>

#include "console/block_input.h"
#include "console/descriptors.h"

#ifdef BINDSMITH_COVERAGE
// The coverage runtime's own flush: a process that dies by a signal never
// reaches the exit that would write its counters.
extern "C" void __gcov_dump();  // NOLINT(bugprone-reserved-identifier)
#endif

// The handler only records the interrupt, so checking for one costs
// nothing. A read or write that finds nothing to read or no room waits in
// ppoll, and there the interrupts are blocked from just before the last
// check until the wait lets them in, atomically: one cannot slip in between
// the check and the wait and leave the program waiting for ever. Standard
// input and output are read and written through descriptions of their own
// that never wait, where the system gives them (see openPrivately), so that
// only a read or write that would wait pays for the waiting.
namespace bindsmith {

namespace {

constexpr std::array<int, 3> kInterrupts{SIGINT, SIGTERM, SIGHUP};
constexpr timespec kNow{0, 0};

// The first interrupt caught, or 0.
volatile std::sig_atomic_t caughtSignal = 0;

struct Catching {
  bool active = false;
  sigset_t handled{};  // those not ignored at start
  // The mask while waiting: the one the program started with, less the
  // interrupts it catches.
  sigset_t waitMask{};
  sigset_t startMask{};
  std::array<struct sigaction, kInterrupts.size()> previousActions{};
  void (*previousPipeAction)(int) = SIG_DFL;
  std::streambuf* ownInput = nullptr;
  // Where standard input is read: a description of its own that never
  // waits, or standard input itself, which is then waited for first unless
  // its reads never wait (a file).
  int input = kStandardInput;
  bool privateInput = false;
  bool inputWaits = false;
};
Catching catching;

extern "C" void recordInterrupt(int signal) {
  if (caughtSignal == 0) {
    caughtSignal = signal;
  }
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

// Standard input, each read waiting only when nothing is there. An
// interrupt, or an error such as a directory on standard input, is the end
// of input.
class InterruptibleInput : public BlockInput {
 protected:
  std::ptrdiff_t fill(std::span<char> block) override {
    for (;;) {
      if (catching.inputWaits && !catching.privateInput) {
        waitFor(catching.input, POLLIN);
      }
      if (interrupted()) {
        return 0;
      }
      const ssize_t count = read(catching.input, block.data(), block.size());
      if (count >= 0 || !wouldWait(errno)) {
        return count;
      }
      waitFor(catching.input, POLLIN);
    }
  }
};

InterruptibleInput interruptibleInput;

}  // namespace

std::string_view interruptedStatuses() {
  return "129, 130 or 143 when\nSIGHUP, SIGINT or SIGTERM ended the run";
}

void catchInterrupts() {
  // Writing to a reader that has gone fails with EPIPE; the standard output
  // watch reports it at the end.
  catching.previousPipeAction = std::signal(SIGPIPE, SIG_IGN);
  struct sigaction action {};
  action.sa_handler = recordInterrupt;
  // One interrupt at a time; no SA_RESTART, so a wait returns at once.
  sigemptyset(&action.sa_mask);
  sigemptyset(&catching.handled);
  for (std::size_t i = 0; i < kInterrupts.size(); ++i) {
    const int signal = kInterrupts.at(i);
    sigaddset(&action.sa_mask, signal);
    sigaction(signal, nullptr, &catching.previousActions.at(i));
    if (catching.previousActions.at(i).sa_handler != SIG_IGN) {
      sigaddset(&catching.handled, signal);
      sigaction(signal, &action, nullptr);
    }
  }
  // Let in even if whoever started the program had blocked them, so that
  // one coming while the program is busy is seen at the next check.
  sigprocmask(SIG_UNBLOCK, &catching.handled, &catching.startMask);
  catching.waitMask = catching.startMask;
  for (const int signal : kInterrupts) {
    if (sigismember(&catching.handled, signal) == 1) {
      sigdelset(&catching.waitMask, signal);
    }
  }
  catching.inputWaits = canWait(kStandardInput);
  const int own = catching.inputWaits ? openPrivately(kStandardInput, false) : -1;
  catching.privateInput = own >= 0;
  catching.input = catching.privateInput ? own : kStandardInput;
  catching.ownInput = std::cin.rdbuf(&interruptibleInput);
  catching.active = true;
}

bool interrupted() {
  return caughtSignal != 0;
}

bool waitToWrite(int descriptor) {
  return waitFor(descriptor, POLLOUT);
}

int endByInterrupt(int status) {
  if (!interrupted()) {
    return status;
  }
  const int signal = caughtSignal;
  sigset_t only{};
  sigemptyset(&only);
  sigaddset(&only, signal);
  sigprocmask(SIG_BLOCK, &only, nullptr);
  std::signal(signal, SIG_DFL);
  std::raise(signal);  // pending until unblocked
#ifdef BINDSMITH_COVERAGE
  __gcov_dump();
#endif
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  // Only if the signal did not end the process: the shell's number for it.
  constexpr int kKilledBySignal = 128;
  return kKilledBySignal + signal;
}

void releaseInterrupts() {
  if (!catching.active) {
    return;  // nothing to give back: what catching saved is empty
  }
  sigprocmask(SIG_SETMASK, &catching.startMask, nullptr);
  for (std::size_t i = 0; i < kInterrupts.size(); ++i) {
    sigaction(kInterrupts.at(i), &catching.previousActions.at(i), nullptr);
  }
  std::signal(SIGPIPE, catching.previousPipeAction);
  std::cin.rdbuf(catching.ownInput);
  if (catching.privateInput) {
    closeDescriptor(catching.input);
  }
  catching = Catching{};
  caughtSignal = 0;
}

}  // namespace bindsmith
