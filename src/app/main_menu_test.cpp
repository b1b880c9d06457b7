#include "app/main_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/prompt.h"
#include "support/script_checks.h"
#include "support/session.h"

namespace bindsmith {
namespace {

using test::runSession;

std::string menuThenPrompt() {
  return "              ******** Main Menu ********         \n\n"
         "1. Instrucions 2. Set File Name 3. Set player name\n"
         "***********************GUN BINDS******************\n"
         "4. Pistol      5. Shotgun       6. Sub-Machine Gun\n"
         "7. Rifle       8. Machine Gun   9. Equipment      \n"
         "***********************ITEMS**********************\n"
         "10. Netmonitor 11. RCON pass   12. Quick Flash    \n"
         "13. Quick HE   14. Quick knife  15. Exit\n" +
         std::string{test::kMenuPrompt};
}

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

TEST(MainMenuSession, BindingEveryKeyThenOneMoreEndsCleanly) {
  std::string input = "2\npub\n1\n";
  int keys = 0;
  for (const char key : test::kKeyNames) {
    input += "9\n1\n" + std::string(1, key) + "\n1\n2\n2\n2\n";
    ++keys;
  }
  ASSERT_EQ(keys, 47);
  input += "9\n1\n4\n1\n15\n";

  const auto result = runSession(input);
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.console.ends_with(
      "Create an equipment key?\n1. Yes 2.No\nEnter a Equipment choice choice, 1-2 "
      "All keys are already bound\n" +
      menuThenPrompt() +
      "1. H&K USP .45 Tactical\n2. Glock18 select  Fire\n3. Desert Eagle .50AE\n4. SIG P228\n"
      "Enter a Pistol choice choice, 1-4 All keys are already bound\n" +
      menuThenPrompt()));

  // Every key once, every alias under a name of its own, each right after its bind.
  EXPECT_EQ(test::scriptProblems(result.script, test::confirmedWords(result.console)),
            std::vector<std::string>{});
  EXPECT_EQ(std::count(result.script.begin(), result.script.end(), '\n'), 2 * 47);
  EXPECT_NE(result.script.find(" equipment_8f\nalias equipment_8f \""), std::string::npos)
      << "the 47th bind of a row";
}

}  // namespace
}  // namespace bindsmith
