#include "platform/standard_streams.h"

#include <gtest/gtest.h>

#ifdef BINDSMITH_HAS_FORK
#include <unistd.h>

#include <array>
#include <string>
#include <string_view>
#include "platform/unmovable.h"

namespace bindsmith {
namespace {

// Standard input is a pipe that holds `bytes` and then ends.
class PipedInput : Unmovable {
 public:
  explicit PipedInput(std::string_view bytes) : savedInput_(dup(STDIN_FILENO)) {
    std::array<int, 2> pipe{};
    EXPECT_EQ(::pipe(pipe.data()), 0);
    EXPECT_EQ(write(pipe[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(pipe[1]);
    dup2(pipe[0], STDIN_FILENO);
    close(pipe[0]);
    EXPECT_TRUE(openStandardStreams().ok());
  }
  ~PipedInput() {
    dup2(savedInput_, STDIN_FILENO);
    close(savedInput_);
  }

 private:
  int savedInput_;
};

// A session piped in costs one read for all that waits, not one a byte;
// every byte value comes through, and the end comes as no bytes.
TEST(StandardInput, OneReadTakesAllThatWaits) {
  const PipedInput input("2\npub\n\xFF");
  std::array<char, 4096> block{};
  const Result<std::size_t> first = readStandardInput(block);
  ASSERT_TRUE(first.ok());
  EXPECT_EQ(std::string(block.data(), first.value()), "2\npub\n\xFF");
  const Result<std::size_t> end = readStandardInput(block);
  ASSERT_TRUE(end.ok());
  EXPECT_EQ(end.value(), 0U);
}

}  // namespace
}  // namespace bindsmith
#endif
