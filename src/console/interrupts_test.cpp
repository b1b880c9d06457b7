#include "console/interrupts.h"

#include <gtest/gtest.h>

#if defined(BINDSMITH_CAN_FORK) && defined(BINDSMITH_HAS_SIGNALS)
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <iostream>
#include <sstream>
#include <string_view>

#include "console/prompt.h"

namespace bindsmith {
namespace {

// Runs `body` in a child process and returns the signal that ended it, or 0.
template <typename Body>
int signalThatEnds(Body body) {
  const pid_t child = fork();
  if (child == 0) {
    body();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

// The first interrupt decides how the process ends, however many follow,
// and one that whoever started the program had blocked still gets in, at
// once.
TEST(Interrupts, TheFirstOfTwoDecides) {
  EXPECT_EQ(signalThatEnds([] {
              // A pipe's read end never takes a write: the wait only ends by
              // an interrupt, which is thereby let in.
              std::array<int, 2> pipe{};
              if (::pipe(pipe.data()) != 0) {
                return;
              }
              catchInterrupts();
              std::raise(SIGTERM);
              waitToWrite(pipe[0]);
              std::raise(SIGINT);
              waitToWrite(pipe[0]);
              endByInterrupt(0);
            }),
            SIGTERM);
  EXPECT_EQ(signalThatEnds([] {
              catchInterrupts();
              std::raise(SIGHUP);
              endByInterrupt(0);
            }),
            SIGHUP);
  EXPECT_EQ(signalThatEnds([] {
              catchInterrupts();
              endByInterrupt(0);
            }),
            0);
  EXPECT_EQ(signalThatEnds([] {
              std::array<int, 2> pipe{};
              if (::pipe(pipe.data()) != 0) {
                return;
              }
              sigset_t term{};
              sigemptyset(&term);
              sigaddset(&term, SIGTERM);
              sigprocmask(SIG_BLOCK, &term, nullptr);
              alarm(5);  // ends a wait that the interrupt cannot
              catchInterrupts();
              std::raise(SIGTERM);
              // Seen at once, as answers typed ahead must not be taken.
              if (!interrupted()) {
                _exit(0);
              }
              waitToWrite(pipe[0]);
              endByInterrupt(0);
            }),
            SIGTERM);
}

// The reader catchInterrupts gives std::cin, on a pipe that holds `bytes`
// and then ends.
class PipedInput {
 public:
  explicit PipedInput(std::string_view bytes) : savedInput_(dup(STDIN_FILENO)) {
    std::array<int, 2> pipe{};
    EXPECT_EQ(::pipe(pipe.data()), 0);
    EXPECT_EQ(write(pipe[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(pipe[1]);
    dup2(pipe[0], STDIN_FILENO);
    close(pipe[0]);
    catchInterrupts();
    std::cin.clear();
    savedOutput_ = std::cout.rdbuf(console_.rdbuf());
  }
  ~PipedInput() {
    std::cout.rdbuf(savedOutput_);
    releaseInterrupts();
    std::cin.clear();
    dup2(savedInput_, STDIN_FILENO);
    close(savedInput_);
  }
  PipedInput(const PipedInput&) = delete;
  PipedInput& operator=(const PipedInput&) = delete;
  PipedInput(PipedInput&&) = delete;
  PipedInput& operator=(PipedInput&&) = delete;

 private:
  int savedInput_;
  std::ostringstream console_;
  std::streambuf* savedOutput_ = nullptr;
};

TEST(Interrupts, TheInputReaderTakesEveryByte) {
  {
    const PipedInput input("\xFF");  // a block whose first byte is 0xFF
    EXPECT_EQ(readKey(), '\xFF');
  }
  {
    const PipedInput input("7");  // a read of a single byte
    EXPECT_EQ(promptChoice(1, 15, "Main Menu"), 7);
  }
  {
    const PipedInput input("2\npub\n");  // all that waits, in one read
    EXPECT_EQ(readKey(), '2');
    EXPECT_EQ(std::cin.rdbuf()->in_avail(), 5);
  }
}

}  // namespace
}  // namespace bindsmith
#endif
