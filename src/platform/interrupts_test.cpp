#include "platform/interrupts.h"

#include <gtest/gtest.h>

#if defined(BINDSMITH_HAS_FORK) && defined(BINDSMITH_HAS_SIGNALS)
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>

#include "platform/waits_posix.h"

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
              const InterruptCatcher catcher;
              std::raise(SIGTERM);
              waitToWrite(pipe[0]);
              std::raise(SIGINT);
              waitToWrite(pipe[0]);
              endByInterrupt(0);
            }),
            SIGTERM);
  EXPECT_EQ(signalThatEnds([] {
              const InterruptCatcher catcher;
              std::raise(SIGHUP);
              endByInterrupt(0);
            }),
            SIGHUP);
  EXPECT_EQ(signalThatEnds([] {
              const InterruptCatcher catcher;
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
              const InterruptCatcher catcher;
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

}  // namespace
}  // namespace bindsmith
#endif
