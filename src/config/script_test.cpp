#include "config/script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#endif

#include "config/statements.h"
#include "support/console.h"
#include "support/sinks.h"

namespace bindsmith {
namespace {

using test::ConsoleTest;
using test::FailingSink;
using test::MemorySink;

constexpr std::string_view kStars = "*******************************************************";

std::string framed(std::string_view message) {
  const std::string separator = "\n" + std::string{kStars} + "\n\n";
  return separator + std::string{message} + "\n" + separator;
}

class ScriptWriteTest : public ConsoleTest {};

TEST_F(ScriptWriteTest, LinesReachTheScriptWhole) {
  test::openTestScript();
  writeScriptLine("bind ", 'k', ' ', "uspa");
  writeScript("alias uspa \"", "x");
  writeScriptLine(";showplayerinfo\"");
  EXPECT_TRUE(finishScript());
  EXPECT_EQ(io_.script(), "bind k uspa\nalias uspa \"x;showplayerinfo\"\n");
  EXPECT_EQ(io_.console(), "");
}

TEST_F(ScriptWriteTest, FailedWriteIsReportedOnceAndFailsTheRun) {
  FailingSink disk(5);
  redirectScript(&disk);
  test::openTestScript();
  writeScriptLine("r_netgraph 1");
  reportScriptWriteFailure();
  writeScriptLine("rcon_password x");
  reportScriptWriteFailure();
  EXPECT_FALSE(finishScript());
  EXPECT_EQ(disk.kept(), "") << "a line cut short is taken off the disk";
  EXPECT_EQ(io_.console(), framed("Could not write to test.cfg: No space left on device"));
}

// Found only by the last flush, and the close then fails too: the reason
// shown is the first failure's.
TEST_F(ScriptWriteTest, FailureNotYetReportedIsReportedAtTheEnd) {
  FailingSink disk(0, ENOSPC, EIO);
  redirectScript(&disk);
  test::openTestScript();
  writeScript("alias a \"");
  EXPECT_FALSE(finishScript());
  EXPECT_EQ(io_.console(), framed("Could not write to test.cfg: No space left on device"));
}

// A script closed and another opened while a group is alive (a new session
// in the same process) must not leave later groups ungrouped.
TEST_F(ScriptWriteTest, AReopenInsideAGroupKeepsLaterGroupsWhole) {
  MemorySink disk;
  {
    const StatementGroup group;
    resetScript();
    redirectScript(&disk);
    test::openTestScript();
  }
  {
    const StatementGroup group;
    writeScriptLine("bind k uspa");
    EXPECT_EQ(disk.kept(), "") << "a group reaches the disk only when it ends";
  }
  EXPECT_EQ(disk.kept(), "bind k uspa\n");
  EXPECT_TRUE(finishScript());
}

// A script that cannot be made private gets no password; that is reported
// like a failed write.
TEST_F(ScriptWriteTest, APasswordGoesOnlyIntoAPrivateScript) {
  class SharedDisk : public MemorySink {
   public:
    std::optional<int> restrictToOwner() override { return EPERM; }
  } disk;
  redirectScript(&disk);
  test::openTestScript();
  writeRconStatement("secret");
  EXPECT_FALSE(finishScript());
  EXPECT_EQ(disk.kept(), "");
  EXPECT_EQ(io_.console(), framed("Could not write to test.cfg: Operation not permitted"));
}

TEST_F(ScriptWriteTest, ARunWithoutScriptIsIntact) {
  EXPECT_TRUE(finishScript());
}

TEST_F(ScriptWriteTest, TheNextRunForgetsAFailure) {
  FailingSink disk(0);
  redirectScript(&disk);
  test::openTestScript();
  writeScriptLine("r_netgraph 1");
  EXPECT_FALSE(finishScript());
  MemorySink fresh;
  redirectScript(&fresh);
  test::openTestScript();
  writeScriptLine("r_netgraph 1");
  EXPECT_TRUE(finishScript());
}

class ScriptFileTest : public ConsoleTest {
 protected:
  void SetUp() override {
    redirectScript(nullptr);
    dir_ = std::filesystem::temp_directory_path() /
           ("bindsmith-" +
            std::string{::testing::UnitTest::GetInstance()->current_test_info()->name()});
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    resetScript();
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path dir_;
};

TEST_F(ScriptFileTest, OpenCreatesOrEmptiesTheFile) {
  const auto path = dir_ / "pub.cfg";
  std::ofstream(path) << "old text\n";
  ASSERT_FALSE(openScript(path.string()).failure);
  EXPECT_EQ(std::filesystem::file_size(path), 0U);
  writeScriptLine("r_netgraph 1");
  std::ifstream written(path);
  const std::string text{std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()};
  EXPECT_EQ(text, "r_netgraph 1\n") << "a finished line is on the disk at once";
  EXPECT_TRUE(finishScript());
}

TEST_F(ScriptFileTest, OpenFailureGivesTheSystemsReason) {
  std::filesystem::create_directory(dir_ / "pub.cfg");
  const auto failure = openScript((dir_ / "pub.cfg").string()).failure;
  ASSERT_TRUE(failure.has_value());
#ifdef _WIN32
  EXPECT_EQ(*failure, "Permission denied");
#else
  EXPECT_EQ(*failure, "Is a directory");
#endif
}

#ifndef _WIN32
// Only a file on disk keeps the password: a pipe or a device in the
// script's place keeps its mode, which other programs share (/dev/null
// must stay writable by all).
TEST_F(ScriptFileTest, APasswordLeavesThePermissionsOfAPipeAlone) {
  const auto path = dir_ / "pub.cfg";
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);                       // whatever the umask
  const int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK);  // lets the open for writing go
  ASSERT_GE(reader, 0);
  ASSERT_FALSE(openScript(path.string()).failure);
  writeRconStatement("secret");
  EXPECT_TRUE(finishScript());
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
