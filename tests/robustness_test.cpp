// Whole sessions cut short at every byte, and scripts that stop being
// written at every byte: the run must always end, say what went wrong once,
// and leave a script of whole statements.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/failing_buffer.h"
#include "support/script_checks.h"
#include "support/session.h"

namespace bindsmith::test {
namespace {

constexpr std::string_view kMenuPrompt = "Enter a Main Menu choice, 1-15 ";

// The transcript that goes through every menu choice.
std::string longSession() {
  std::ifstream file(BINDSMITH_E2E_DIR "/every-menu-choice/stdin", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::size_t occurrences(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(EndOfInputEverywhere, EveryPrefixOfALongSessionEndsCleanly) {
  const std::string input = longSession();
  ASSERT_GT(input.size(), 100U);
  const SessionResult full = runSession(input);
  ASSERT_EQ(full.status, 0);

  for (std::size_t length = 0; length <= input.size(); ++length) {
    SCOPED_TRACE("input cut after " + std::to_string(length) + " bytes");
    const SessionResult cut = runSession(std::string_view{input}.substr(0, length));
    EXPECT_EQ(scriptProblems(cut.script), std::vector<std::string>{});

    // Status 0 only when the run ended at the menu prompt: by input ending
    // there, or by choice 15.
    const bool atMenu = cut.console.ends_with(std::string{kMenuPrompt} + "\n") ||
                        cut.console.ends_with(kMenuPrompt);
    EXPECT_EQ(cut.status, atMenu ? 0 : 1);

    // Cut at a line break, the run said exactly what the full run said up to
    // that point, then ended the open line: nothing repeated, nothing more.
    if (length == 0 || input[length - 1] == '\n') {
      std::string_view said = cut.console;
      if (said.ends_with('\n') && !full.console.starts_with(said)) {
        said.remove_suffix(1);
      }
      EXPECT_TRUE(full.console.starts_with(said));
      EXPECT_TRUE(full.script.starts_with(cut.script) || cut.status == 1);
    }
  }
}

TEST(FailingDiskEverywhere, EveryWriteFailureIsReportedOnce) {
  const std::string input = longSession();
  const std::string script = runSession(input).script;
  ASSERT_GT(script.size(), 100U);
  const std::string report = "Could not write to session.cfg: No space left on device\n";

  for (std::size_t capacity = 0; capacity <= script.size(); ++capacity) {
    SCOPED_TRACE("disk full after " + std::to_string(capacity) + " bytes");
    FailingBuffer disk(capacity);
    const SessionResult run = runSession(input, &disk);
    EXPECT_EQ(disk.kept(), script.substr(0, capacity));
    const bool full = capacity < script.size();
    EXPECT_EQ(run.status, full ? 1 : 0);
    EXPECT_EQ(occurrences(run.console, report), full ? 1U : 0U);
  }
}

}  // namespace
}  // namespace bindsmith::test
