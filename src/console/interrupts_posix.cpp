#include "console/interrupts.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <iostream>
#include <streambuf>

namespace bindsmith {

namespace {

constexpr std::array<int, 3> kInterrupts{SIGINT, SIGTERM, SIGHUP};

// The first interrupt caught, or 0.
volatile std::sig_atomic_t caughtSignal = 0;
// The handler writes a byte here, so that a read that is about to block sees
// the interrupt even when it came just before the read began.
std::array<int, 2> wakeUp{-1, -1};
std::array<struct sigaction, kInterrupts.size()> previousActions{};
// Which of them this program handles: those not ignored at start.
std::array<bool, kInterrupts.size()> handled{};
void (*previousPipeAction)(int) = SIG_DFL;

extern "C" void recordInterrupt(int signal) {
  const int savedErrno = errno;
  if (caughtSignal == 0) {
    caughtSignal = signal;
  }
  [[maybe_unused]] const auto written = write(wakeUp[1], "!", 1);
  errno = savedErrno;
}

// Standard input read in blocks, waiting on the input and on the wake-up
// pipe together: a caught interrupt, or an error such as a directory or a
// closed descriptor on standard input, is the end of input.
class InterruptibleInput : public std::streambuf {
 protected:
  int_type underflow() override {
    while (caughtSignal == 0) {
      std::array<pollfd, 2> waitFor{{{STDIN_FILENO, POLLIN, 0}, {wakeUp[0], POLLIN, 0}}};
      if (poll(waitFor.data(), waitFor.size(), -1) < 0) {
        if (errno == EINTR) {
          continue;
        }
        break;
      }
      if (caughtSignal != 0) {
        break;
      }
      const ssize_t count = read(STDIN_FILENO, buffer_.data(), buffer_.size());
      if (count > 0) {
        setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
        return traits_type::to_int_type(buffer_[0]);
      }
      if (count == 0 || errno != EINTR) {
        break;
      }
    }
    return traits_type::eof();
  }

 private:
  // The size of a pipe's atomic write and of a terminal's line buffer.
  static constexpr std::size_t kBlock = 4096;
  std::array<char, kBlock> buffer_{};
};

InterruptibleInput interruptibleInput;
std::streambuf* ownInput = nullptr;

// A closed standard descriptor is the lowest free one, so a new pipe would
// take its place and be read as standard input: keep both ends above them.
int aboveStandardDescriptors(int descriptor) {
  if (descriptor > STDERR_FILENO) {
    return descriptor;
  }
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): fcntl is variadic
  const int moved = fcntl(descriptor, F_DUPFD, STDERR_FILENO + 1);
  close(descriptor);
  return moved;
}

bool makeWakeUpPipe() {
  if (wakeUp[0] >= 0) {
    return true;
  }
  if (pipe(wakeUp.data()) != 0) {
    return false;
  }
  for (int& end : wakeUp) {
    end = aboveStandardDescriptors(end);
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg)
    if (end < 0 || fcntl(end, F_SETFD, FD_CLOEXEC) != 0 || fcntl(end, F_SETFL, O_NONBLOCK) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

void catchInterrupts() {
  // Writing to a reader that has gone fails with EPIPE; the standard output
  // watch reports it at the end.
  previousPipeAction = std::signal(SIGPIPE, SIG_IGN);
  if (!makeWakeUpPipe()) {
    return;  // without it the reads could not be woken: leave the defaults
  }
  struct sigaction action {};
  action.sa_handler = recordInterrupt;
  // No SA_RESTART: a blocked read must return. One interrupt at a time.
  action.sa_flags = 0;
  sigemptyset(&action.sa_mask);
  for (const int signal : kInterrupts) {
    sigaddset(&action.sa_mask, signal);
  }
  for (std::size_t i = 0; i < kInterrupts.size(); ++i) {
    sigaction(kInterrupts.at(i), nullptr, &previousActions.at(i));
    handled.at(i) = previousActions.at(i).sa_handler != SIG_IGN;
    if (handled.at(i)) {
      sigaction(kInterrupts.at(i), &action, nullptr);
    }
  }
  ownInput = std::cin.rdbuf(&interruptibleInput);
}

bool interrupted() {
  return caughtSignal != 0;
}

int endByInterrupt(int status) {
  const int signal = caughtSignal;
  if (signal == 0) {
    return status;
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  // Only if the signal did not end the process: the shell's number for it.
  constexpr int kKilledBySignal = 128;
  return kKilledBySignal + signal;
}

void releaseInterrupts() {
  std::signal(SIGPIPE, previousPipeAction);
  for (std::size_t i = 0; i < kInterrupts.size(); ++i) {
    if (handled.at(i)) {
      sigaction(kInterrupts.at(i), &previousActions.at(i), nullptr);
      handled.at(i) = false;
    }
  }
  if (ownInput != nullptr) {
    std::cin.rdbuf(ownInput);
    ownInput = nullptr;
  }
  caughtSignal = 0;
  // Empty the pipe of the bytes the handler wrote.
  char drained = 0;
  while (read(wakeUp[0], &drained, 1) > 0) {
  }
}

}  // namespace bindsmith
