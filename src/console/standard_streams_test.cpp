#include "console/standard_streams.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "support/failing_buffer.h"

namespace bindsmith {
namespace {

using test::FailingBuffer;

// Runs `write` against a standard output that fails after `capacity` bytes;
// returns the status finishStandardOutput gave for `status` and what it said
// on standard error.
std::pair<int, std::string> finishAfter(std::size_t capacity, void (*write)(), int status) {
  FailingBuffer terminal(capacity);
  std::ostringstream errors;
  std::streambuf* const savedOut = std::cout.rdbuf(&terminal);
  std::streambuf* const savedErr = std::cerr.rdbuf(errors.rdbuf());
  watchStandardOutput();
  write();
  const int result = finishStandardOutput(status);
  EXPECT_EQ(std::cout.rdbuf(), &terminal) << "the watch is over";
  std::cout.rdbuf(savedOut);
  std::cerr.rdbuf(savedErr);
  std::cout.clear();
  return {result, errors.str()};
}

void writeText() {
  std::cout << "Enter a Main Menu choice, 1-15 ";
}
void writeCharacter() {
  std::cout << '-';
}
void writeLine() {
  std::cout << "ok" << std::endl;
}

TEST(StandardOutput, AFailedWriteIsReportedOnceWithItsReason) {
  const std::string report =
      "bindsmith: cannot write to standard output: No space left on device\n";
  for (const auto write : {writeText, writeCharacter, writeLine}) {
    EXPECT_EQ(finishAfter(0, write, 0), std::make_pair(1, report));
  }
  EXPECT_EQ(finishAfter(0, writeText, 1), std::make_pair(1, report)) << "a failure stays 1";
}

TEST(StandardOutput, SuccessChangesNothing) {
  EXPECT_EQ(finishAfter(100, writeLine, 0), std::make_pair(0, std::string{}));
  EXPECT_EQ(finishAfter(100, writeLine, 1), std::make_pair(1, std::string{}));
}

}  // namespace
}  // namespace bindsmith
