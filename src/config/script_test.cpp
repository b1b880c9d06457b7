#include "config/script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#ifdef BINDSMITH_HAS_FILE_MODES
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#endif

#include "config/statements.h"
#include "support/fixture.h"
#include "support/sinks.h"

namespace bindsmith {
namespace {

using test::FailingSink;
using test::framed;
using test::MemorySink;
using test::ScriptedConsole;

TEST(ScriptWrites, LinesReachTheScriptWhole) {
  ScriptedConsole io;
  Script& script = io.openedScript();
  script.writeLine("bind ", 'k', ' ', "uspa");
  script.write("alias uspa \"", "x");
  script.writeLine(";showplayerinfo\"");
  EXPECT_TRUE(script.finish(io.console()));
  EXPECT_EQ(io.written(), "bind k uspa\nalias uspa \"x;showplayerinfo\"\n");
  EXPECT_EQ(io.shown(), "");
}

TEST(ScriptWrites, AFailedWriteIsReportedOnceAndFailsTheRun) {
  FailingSink disk(5);
  ScriptedConsole io({}, &disk);
  Script& script = io.openedScript();
  script.writeLine("r_netgraph 1");
  script.reportWriteFailure(io.console());
  script.writeLine("rcon_password x");
  script.reportWriteFailure(io.console());
  EXPECT_FALSE(script.finish(io.console()));
  EXPECT_EQ(disk.kept(), "") << "a line cut short is taken off the disk";
  EXPECT_EQ(io.shown(), framed("Could not write to test.cfg: No space left on device"));
}

// Found only by the last flush, and the close then fails too: the reason
// shown is the first failure's.
TEST(ScriptWrites, AFailureNotYetReportedIsReportedAtTheEnd) {
  FailingSink disk(0, ENOSPC, EIO);
  ScriptedConsole io({}, &disk);
  Script& script = io.openedScript();
  script.write("alias a \"");
  EXPECT_FALSE(script.finish(io.console()));
  EXPECT_EQ(io.shown(), framed("Could not write to test.cfg: No space left on device"));
}

TEST(ScriptWrites, AGroupReachesTheDiskWhenItEnds) {
  MemorySink disk;
  ScriptedConsole io({}, &disk);
  Script& script = io.openedScript();
  {
    const StatementGroup group(script);
    script.writeLine("bind k uspa");
    EXPECT_EQ(disk.kept(), "") << "a group reaches the disk only when it ends";
  }
  EXPECT_EQ(disk.kept(), "bind k uspa\n");
  EXPECT_TRUE(script.finish(io.console()));
}

TEST(ScriptWrites, ARunWithoutScriptIsIntact) {
  ScriptedConsole io;
  Script script;
  EXPECT_TRUE(script.finish(io.console()));
}

class ScriptFileTest : public test::ConsoleFixture {
 protected:
  const test::TemporaryFolder dir_;
};

TEST_F(ScriptFileTest, OpenCreatesOrEmptiesTheFile) {
  const auto path = dir_ / "pub.cfg";
  std::ofstream(path) << "old text\n";
  Script script;
  ASSERT_FALSE(script.open(path.string()).refusal);
  EXPECT_EQ(std::filesystem::file_size(path), 0U);
  script.writeLine("r_netgraph 1");
#ifdef BINDSMITH_HAS_TEXT_MODE
  const std::string_view line = "r_netgraph 1\r\n";
#else
  const std::string_view line = "r_netgraph 1\n";
#endif
  EXPECT_EQ(test::readFile(path), line) << "a finished line is on the disk at once";
  EXPECT_TRUE(script.finish(io_.console()));
}

// Windows refuses to open a folder for writing with its own reason.
TEST_F(ScriptFileTest, AnOpenThatFailsGivesTheSystemsReason) {
  std::filesystem::create_directory(dir_ / "pub.cfg");
  Script script;
  const auto refusal = script.open((dir_ / "pub.cfg").string()).refusal;
  ASSERT_TRUE(refusal.has_value());
  EXPECT_TRUE(*refusal == "Is a directory" || *refusal == "Permission denied") << *refusal;
  EXPECT_FALSE(script.isOpen());
}

#ifdef BINDSMITH_HAS_FILE_MODES
// Only a file on disk keeps a password: a pipe or a device in the script's
// place keeps its mode, which other programs share (/dev/null must stay
// writable by all).
TEST_F(ScriptFileTest, APasswordLeavesThePermissionsOfAPipeAlone) {
  const auto path = dir_ / "pub.cfg";
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);                       // whatever the umask
  const int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK);  // lets the open for writing go
  ASSERT_GE(reader, 0);
  Script script;
  ASSERT_FALSE(script.open(path.string()).refusal);
  EXPECT_TRUE(script.restrictToOwner());
  writeRconStatement(script, "secret");
  EXPECT_TRUE(script.finish(io_.console()));
  std::array<char, 64> taken{};
  const ssize_t count = read(reader, taken.data(), taken.size());
  close(reader);
  EXPECT_EQ(std::string(taken.data(), static_cast<std::size_t>(std::max<ssize_t>(count, 0))),
            "rcon_password secret\n");
  struct stat status {};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777U, 0644U);
}
#endif

}  // namespace
}  // namespace bindsmith
