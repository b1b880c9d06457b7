#include "platform/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef BINDSMITH_HAS_FILE_MODES
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#endif

namespace bindsmith {
namespace {

// A close that fails (on a network file system, an I/O error) must fail the
// run with its reason, as a write does.
TEST(Files, AFailedCloseGivesItsReason) {
  const Result<void> closed = closeDescriptor(-1);
  ASSERT_FALSE(closed.ok());
  EXPECT_EQ(closed.failure().error(), EBADF);
}

// A group cut short is cut off a real file again: on a platform that writes
// text files in text mode, the mark counts each line break's CR, which the
// bytes given do not hold.
TEST(Files, CutBackReturnsToTheMark) {
  const auto path = std::filesystem::temp_directory_path() / "bindsmith-cut-back.cfg";
  std::ofstream(path) << "earlier text that is emptied\n";
  const Result<int> file = openForWriting(path.string());
  ASSERT_TRUE(file.ok());
  const int descriptor = file.value();
  EXPECT_TRUE(cutBack(descriptor, 0).ok());
  EXPECT_EQ(writeSome(descriptor, "bind k a\n").value(), 9U);
  const Result<std::int64_t> mark = writePosition(descriptor);
  ASSERT_TRUE(mark.ok());
  EXPECT_EQ(writeSome(descriptor, "bind j b\nalias b").value(), 16U);
  EXPECT_TRUE(cutBack(descriptor, mark.value()).ok());
  EXPECT_EQ(writeSome(descriptor, "r_netgraph 1\n").value(), 13U);
  EXPECT_TRUE(closeDescriptor(descriptor).ok());
  std::ifstream written(path, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()};
#ifdef BINDSMITH_TEXT_MODE_FILES
  EXPECT_EQ(text, "bind k a\r\nr_netgraph 1\r\n");
#else
  EXPECT_EQ(text, "bind k a\nr_netgraph 1\n");
#endif
  written.close();
  std::filesystem::remove(path);
}

#ifdef BINDSMITH_HAS_FILE_MODES
// Only a file on disk keeps a password: a pipe or a device in the script's
// place keeps its mode, which other programs share (/dev/null must stay
// writable by all).
TEST(Files, RestrictingAPipeLeavesItsPermissionsAlone) {
  const auto path = std::filesystem::temp_directory_path() / "bindsmith-pipe.cfg";
  std::filesystem::remove(path);
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);                       // whatever the umask
  const int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK);  // lets the open for writing go
  ASSERT_GE(reader, 0);
  const Result<int> writer = openForWriting(path.string());
  ASSERT_TRUE(writer.ok());
  EXPECT_TRUE(restrictToOwner(writer.value()).ok());
  EXPECT_TRUE(closeDescriptor(writer.value()).ok());
  close(reader);
  struct stat status {};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777U, 0644U);
  std::filesystem::remove(path);
}
#endif

}  // namespace
}  // namespace bindsmith
