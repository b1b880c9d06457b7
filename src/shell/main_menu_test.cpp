#include "shell/main_menu.h"

#include <gtest/gtest.h>

#include "support/console.h"

namespace bindsmith {
namespace {

using test::runSession;

TEST(MainMenuSession, ExitStatusTellsWhereInputEnded) {
  EXPECT_EQ(runSession("15\n").status, 0);
  EXPECT_EQ(runSession("").status, 0) << "at the menu prompt";
  EXPECT_EQ(runSession("1\n").status, 0) << "back at the menu prompt";
  EXPECT_EQ(runSession("2\n").status, 1) << "inside the file-name dialogue";
  EXPECT_EQ(runSession("2\npub\n").status, 1) << "at the confirmation";
  EXPECT_EQ(runSession("2\npub\n1\n").status, 0);
}

TEST(MainMenuSession, SessionsInOneProcessStartAfresh) {
  const auto first = runSession("2\npub\n1\n2\n15\n");
  EXPECT_NE(first.console.find("The filename has allready been set"), std::string::npos);
  const auto second = runSession("2\nbar\n1\n15\n");
  EXPECT_EQ(second.console.find("allready"), std::string::npos);
  EXPECT_NE(second.console.find("Setting filename to bar.cfg"), std::string::npos);
}

}  // namespace
}  // namespace bindsmith
