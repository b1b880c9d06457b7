#include "console/interrupts.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <string>

#include "support/session.h"

namespace bindsmith {
namespace {

// The interrupt comes while the program is busy and every answer is already
// typed: the answers waiting in the input must not carry the run on.
TEST(Interrupts, TakeEffectAtTheNextRead) {
  catchInterrupts();
  ASSERT_EQ(std::raise(SIGTERM), 0);
  EXPECT_TRUE(interrupted());
  const auto run = test::runSession("2\npub\n1\n4\n1\nk\n1\n2\n2\n2\n15\n");
  releaseInterrupts();
  EXPECT_FALSE(interrupted());
  EXPECT_EQ(run.status, 0) << "it came at the menu";
  EXPECT_TRUE(run.console.ends_with("Enter a Main Menu choice, 1-15 \n"));
  EXPECT_EQ(run.console.find("Please enter the name"), std::string::npos);
}

}  // namespace
}  // namespace bindsmith
#endif
