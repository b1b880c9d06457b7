#include "console/interrupts.h"

#include <poll.h>
#include <signal.h>  // NOLINT(modernize-deprecated-headers): sigaction, sigprocmask
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <iostream>
#include <streambuf>

#include "console/descriptors.h"

#ifdef BINDSMITH_COVERAGE
// The coverage runtime's own flush: a process that dies by a signal never
// reaches the exit that would write its counters.
extern "C" void __gcov_dump();  // NOLINT(bugprone-reserved-identifier)
#endif

// The interrupts are blocked all the time the program runs and let in only
// inside the waits (ppoll with the mask the program started with). So an
// interrupt cannot slip in between a check and the wait that would miss it:
// it either is pending, and the check takes it, or it ends the wait.
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
    const bool ending = caughtSignal != 0;
    const int ready = ppoll(&wanted, 1, ending ? &kNow : nullptr, &catching.waitMask);
    if (ready == 0) {
      return false;  // only looked: the run is ending and it is not ready
    }
    if (ready > 0 || errno != EINTR) {
      return true;  // ready, or trouble for the read or write itself to report
    }
  }
}

// Standard input read in blocks straight from the descriptor, each read
// waiting first with the interrupts let in. An interrupt, or an error such
// as a directory on standard input, is the end of input.
class InterruptibleInput : public std::streambuf {
 protected:
  int_type underflow() override {
    // An interrupt already pending ends the wait at once.
    waitFor(kStandardInput, POLLIN);
    if (interrupted()) {
      return traits_type::eof();
    }
    const ssize_t count = read(kStandardInput, buffer_.data(), buffer_.size());
    if (count <= 0) {
      return traits_type::eof();
    }
    setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
    return traits_type::to_int_type(buffer_[0]);
  }

 private:
  // The size of a pipe's atomic write and of a terminal's line buffer.
  static constexpr std::size_t kBlock = 4096;
  std::array<char, kBlock> buffer_{};
};

InterruptibleInput interruptibleInput;

}  // namespace

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
    }
  }
  // Blocked before the handler is in place, so it only ever runs in a wait.
  sigprocmask(SIG_BLOCK, &catching.handled, &catching.startMask);
  catching.waitMask = catching.startMask;
  for (const int signal : kInterrupts) {
    if (sigismember(&catching.handled, signal) == 1) {
      sigdelset(&catching.waitMask, signal);
      sigaction(signal, &action, nullptr);
    }
  }
  catching.ownInput = std::cin.rdbuf(&interruptibleInput);
  catching.active = true;
}

bool interrupted() {
  if (caughtSignal == 0 && catching.active) {
    // One that came while the program was busy is pending: take it now.
    const int pending = sigtimedwait(&catching.handled, nullptr, &kNow);
    if (pending > 0) {
      recordInterrupt(pending);
    }
  }
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
  std::signal(signal, SIG_DFL);
  sigset_t only{};
  sigemptyset(&only);
  sigaddset(&only, signal);
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
  // Unblocked while this handler is still in place, so that an interrupt
  // still pending reaches it and not the handlers put back below.
  sigprocmask(SIG_SETMASK, &catching.startMask, nullptr);
  for (std::size_t i = 0; i < kInterrupts.size(); ++i) {
    sigaction(kInterrupts.at(i), &catching.previousActions.at(i), nullptr);
  }
  std::signal(SIGPIPE, catching.previousPipeAction);
  std::cin.rdbuf(catching.ownInput);
  catching = Catching{};
  caughtSignal = 0;
}

}  // namespace bindsmith
