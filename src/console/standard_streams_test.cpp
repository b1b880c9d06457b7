#include "console/standard_streams.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "console/descriptors.h"
#include "support/sinks.h"

namespace bindsmith {
namespace {

using test::FailingSink;

// A console cannot take back what it has shown.
class FailingConsole : public FailingSink {
 public:
  using FailingSink::FailingSink;
  void returnToMark() override {}
};

// Takes at most three bytes a call, as a pipe or a signal can cut a write.
class TricklingSink : public test::MemorySink {
 public:
  WriteResult write(std::string_view text) override { return MemorySink::write(text.substr(0, 3)); }
};

struct Finished {
  int status;
  std::string said;  // on standard error
};

// Writes `text` to the watched standard output, going to `sink`, and
// finishes the watch with `status`.
Finished finishWatch(Sink& sink, std::string_view text, int status) {
  std::ostringstream errors;
  std::streambuf* const savedOut = std::cout.rdbuf();
  std::streambuf* const savedErr = std::cerr.rdbuf(errors.rdbuf());
  watchStandardOutput(sink);
  std::cout << text;
  const int result = finishStandardOutput(status);
  EXPECT_EQ(std::cout.rdbuf(), savedOut) << "the watch is over";
  std::cerr.rdbuf(savedErr);
  return {result, errors.str()};
}

TEST(StandardOutput, AFailedWriteIsReportedOnceWithItsReason) {
  const std::string full = "bindsmith: cannot write to standard output: No space left on device\n";
  struct Sample {
    std::size_t capacity;
    int error;
    std::string_view text;
    int status;
    Finished expected;
  };
  const std::vector<Sample> samples{
      {0, ENOSPC, "Enter a Main Menu choice, 1-15 ", 0, {1, full}},
      {0, ENOSPC, "-", 0, {1, full}},
      {4, ENOSPC, "No instructions in this version\n", 0, {1, full}},
      {0, ENOSPC, "ok\n", 1, {1, full}},
      {0, EPIPE, "ok\n", 0, {1, "bindsmith: cannot write to standard output: Broken pipe\n"}},
      // A failure that sets no errno still has a reason worth showing.
      {0, 0, "ok\n", 0, {1, "bindsmith: cannot write to standard output: Input/output error\n"}},
      {100, ENOSPC, "ok\n", 0, {0, ""}},
      {100, ENOSPC, "ok\n", 1, {1, ""}},
  };
  for (const Sample& sample : samples) {
    SCOPED_TRACE(std::string{sample.text} + " into " + std::to_string(sample.capacity));
    FailingConsole sink(sample.capacity, sample.error);
    const Finished finished = finishWatch(sink, sample.text, sample.status);
    EXPECT_EQ(finished.status, sample.expected.status);
    EXPECT_EQ(finished.said, sample.expected.said);
    EXPECT_EQ(sink.kept(), sample.text.substr(0, sample.capacity));
  }
}

TEST(StandardOutput, WritesCutShortAreCarriedOn) {
  TricklingSink sink;
  const std::string text = "Enter a Main Menu choice, 1-15 ";
  EXPECT_EQ(finishWatch(sink, text, 0).status, 0);
  EXPECT_EQ(sink.kept(), text);
}

// A close that fails (on a network file system, an I/O error) must fail the
// run with its reason, as a write does.
TEST(Descriptors, AFailedCloseGivesItsReason) {
  EXPECT_EQ(closeDescriptor(-1), std::optional<int>{EBADF});
}

// A group cut short is cut off a real file again: on Windows, in text mode,
// the mark counts each line break's CR, which the bytes given do not hold.
TEST(Descriptors, CutBackReturnsToTheMark) {
  const auto path = std::filesystem::temp_directory_path() / "bindsmith-cut-back.cfg";
  std::ofstream(path) << "earlier text that is emptied\n";
  const Opened file = openForWriting(path.string());
  ASSERT_GE(file.descriptor, 0);
  EXPECT_EQ(cutBack(file.descriptor, 0), std::nullopt);
  EXPECT_EQ(writeSome(file.descriptor, "bind k a\n").bytes, 9U);
  const auto mark = writePosition(file.descriptor);
  ASSERT_TRUE(mark.has_value());
  EXPECT_EQ(writeSome(file.descriptor, "bind j b\nalias b").bytes, 16U);
  EXPECT_EQ(cutBack(file.descriptor, *mark), std::nullopt);
  EXPECT_EQ(writeSome(file.descriptor, "r_netgraph 1\n").bytes, 13U);
  EXPECT_EQ(closeDescriptor(file.descriptor), std::nullopt);
  std::ifstream written(path, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()};
#ifdef _WIN32
  EXPECT_EQ(text, "bind k a\r\nr_netgraph 1\r\n");
#else
  EXPECT_EQ(text, "bind k a\nr_netgraph 1\n");
#endif
  written.close();
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace bindsmith
