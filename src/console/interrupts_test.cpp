#include "console/interrupts.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_menu.h"
#include "console/prompt.h"
#include "support/script_checks.h"
#include "support/session.h"

namespace bindsmith {
namespace {

// A console that raises SIGTERM once it has shown `trigger` for the given
// time: an interrupt that comes just before the read that follows, when
// every answer is already typed.
class RaiseAfter : public std::streambuf {
 public:
  RaiseAfter(std::string_view trigger, int occurrence)
      : trigger_(trigger), occurrence_(occurrence) {}
  [[nodiscard]] const std::string& text() const { return text_; }

 protected:
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      const char character = traits_type::to_char_type(c);
      xsputn(&character, 1);
    }
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char_type* text, std::streamsize count) override {
    text_.append(text, static_cast<std::size_t>(count));
    if (text_.ends_with(trigger_) && --occurrence_ == 0) {
      std::raise(SIGTERM);
    }
    return count;
  }

 private:
  std::string trigger_;
  int occurrence_;
  std::string text_;
};

TEST(Interrupts, AnInterruptJustBeforeAnyReadEndsInputThere) {
  const std::string answers = "2\npub\n1\n4\n1\nk\n1\n2\n2\n2\n11\nsecret\n1\n15\n";
  struct Sample {
    std::string_view trigger;
    int occurrence;
    int status;
    bool lineOpen;
  };
  const std::vector<Sample> samples{
      {"Enter a Main Menu choice, 1-15 ", 2, 0, true},            // a number, at the menu
      {"8 letters maximum only a-z are allowed\n", 1, 1, false},  // a word
      {"Please enter the key you wish to bind H&K USP .45 Tactical to: ", 1, 1, true},
      {"Enter a Kevlar with that choice, 1-2 ", 1, 1, true},  // inside an open alias
      {"Please enter the rcon password ", 1, 1, true},
  };
  for (const Sample& sample : samples) {
    SCOPED_TRACE(sample.trigger);
    catchInterrupts();
    RaiseAfter console(sample.trigger, sample.occurrence);
    int status = -1;
    std::string script;
    {
      const test::ScriptedConsole io(answers);
      std::cout.rdbuf(&console);
      status = runMainMenu();
      script = io.script();
    }
    EXPECT_TRUE(interrupted());
    releaseInterrupts();
    EXPECT_EQ(status, sample.status);
    EXPECT_TRUE(
        console.text().ends_with(std::string{sample.trigger} + (sample.lineOpen ? "\n" : "")))
        << console.text().substr(console.text().size() -
                                 std::min<std::size_t>(200, console.text().size()));
    EXPECT_EQ(test::scriptProblems(script), std::vector<std::string>{});
  }
}

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
// and one that whoever started the program had blocked still gets in.
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
