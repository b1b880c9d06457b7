#include "console/stream_buffers.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iostream>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/session.h"
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

// Writes `text` to a watched stream going to `sink`, and finishes the watch
// with `status`.
Finished finishWatch(Sink& sink, std::string_view text, int status) {
  std::ostringstream errors;
  std::ostream stream(nullptr);
  std::streambuf* const savedErr = std::cerr.rdbuf(errors.rdbuf());
  int result = 0;
  {
    WatchedOutput watched(stream, sink);
    stream << text;
    result = watched.finish(status);
  }
  EXPECT_EQ(stream.rdbuf(), nullptr) << "the watch is over";
  std::cerr.rdbuf(savedErr);
  return {result, errors.str()};
}

TEST(WatchedOutput, AFailedWriteIsReportedOnceWithItsReason) {
  const std::string full = "bindsmith: cannot write to standard output: No space left on device\n";
  struct Sample {
    std::size_t capacity;
    int error;
    std::string_view text;
    int status;
    Finished expected;
  };
  const std::vector<Sample> samples{
      {0, ENOSPC, "Enter a Test choice, 1-2 ", 0, {1, full}},
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

// Blocks as the system hands them over; a block whose first byte is 0xFF
// holds a byte, not the end of input.
class GivenBlocks : public BlockInput {
 public:
  explicit GivenBlocks(std::vector<std::string> blocks) : blocks_(std::move(blocks)) {}

 protected:
  std::ptrdiff_t fill(std::span<char> block) override {
    if (next_ == blocks_.size()) {
      return 0;
    }
    const std::string& given = blocks_.at(next_++);
    return static_cast<std::ptrdiff_t>(given.copy(block.data(), block.size()));
  }

 private:
  std::vector<std::string> blocks_;
  std::size_t next_ = 0;
};

TEST(BlockInput, EveryByteOfEveryBlockIsInput) {
  GivenBlocks blocks({"\xFF", "7", "2\npub\n"});
  std::istream in(&blocks);
  EXPECT_EQ(test::readAll(in),
            "\xFF"
            "72\npub\n");
}

TEST(WatchedOutput, WritesCutShortAreCarriedOn) {
  TricklingSink sink;
  const std::string text = "Enter a Test choice, 1-2 ";
  EXPECT_EQ(finishWatch(sink, text, 0).status, 0);
  EXPECT_EQ(sink.kept(), text);
}

}  // namespace
}  // namespace bindsmith
