#include "platform/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "support/fixture.h"
#include "support/session.h"

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
  const test::TemporaryFolder folder;
  const auto path = folder / "cut-back.cfg";
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
  const std::string text = test::readFile(path);
#ifdef BINDSMITH_HAS_TEXT_MODE
  EXPECT_EQ(text, "bind k a\r\nr_netgraph 1\r\n");
#else
  EXPECT_EQ(text, "bind k a\nr_netgraph 1\n");
#endif
}

}  // namespace
}  // namespace bindsmith
