#include "support/script_checks.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace bindsmith::test {
namespace {

TEST(ScriptChecks, AcceptsSoundScripts) {
  EXPECT_TRUE(scriptProblems("").empty());
  EXPECT_TRUE(scriptProblems("name \"a b\"\nrcon_password x\nr_netgraph 1\n"
                             "bind k uspa\nalias uspa \"buyweapon;menuselect 1;menuselect "
                             "1;buyammo;menuselect 2;buyitem;menuselect  3;buyitem;menuselect "
                             "1;buyitem;menuselect 5;buyitem;menuselect 4;showplayerinfo\"\n"
                             "bind * equipmenta\nalias equipmenta \";showplayerinfo\"\n"
                             "bind \";\" quickknife\nalias quickknife  \"use weapon_knife\"\n")
                  .empty());
  EXPECT_TRUE(scriptProblems("name \"a;b//c\"\nrcon_password \"x;quit\"\n"
                             "bind , usp_7b\nalias usp_7b \";showplayerinfo\"\n",
                             {"a;b//c", "x;quit"})
                  .empty());
  EXPECT_TRUE(scriptProblems("name \"" + std::string(126, 'n') + "\"\nrcon_password \"a,b\\c\"\n",
                             {std::string(126, 'n'), "a,b\\c"})
                  .empty());
}

TEST(ScriptChecks, ReadsTheConfirmedWordsOffTheConsole) {
  const ConfirmedWords words = confirmedWords(
      "Please enter a playername \nIs a;b the correct name?\n 1. Yes 2. No\n"
      "Enter a Is that the correct player name? choice, 1-2 Playername set to a;b\n"
      "Please enter the rcon password \nIs x the correct password?\n1. Yes 2. No\n"
      "Enter a Rcon pass correct choice, 1-2 Please enter the rcon password \n"
      "Is Is the correct password?\n1. Yes 2. No\nEnter a Rcon pass correct choice, 1-2 ");
  EXPECT_EQ(words.name, "a;b");
  EXPECT_EQ(words.password, "Is");
  EXPECT_FALSE(confirmedWords(kMenuPrompt).password.has_value());
}

TEST(ScriptChecks, FindsBrokenScripts) {
  std::string fourConcs;
  for (int i = 0; i < 4; ++i) {
    fourConcs += ";buyitem;menuselect 4";
  }
  const std::vector<std::string> broken{
      "r_netgraph 1",                                                     // no line break
      "r_netgraph 1\nr_netgraph 1\n",                                     // twice
      "bind k uspa\n",                                                    // no alias
      "bind k uspa\nalias uspb \";showplayerinfo\"\n",                    // other alias
      "bind k uspa\nalias uspa \"buyweapon;menuselect 1;menuselect 1\n",  // no tail
      "bind k a\nalias a \";showplayerinfo\"\nbind k b\nalias b \";showplayerinfo\"\n",  // key
      "bind k a\nalias a \";buyitem;menuselect 4;buyitem;menuselect 5;showplayerinfo\"\n",
      "bind k a\nalias a \";buyitem;menuselect 3;buyitem;menuselect 1;showplayerinfo\"\n",
      "bind k a\nalias a \";buyitem;menuselect  3;showplayerinfo\"\n",
      "bind k a\nalias a \"" + fourConcs + ";showplayerinfo\"\n",
      "bind k quickknife\n",
      "bind ; a\nalias a \";showplayerinfo\"\n",  // a bare ';' ends the command
      "hello\n",
      // As the game reads them:
      "rcon_password x;quit\n",                      // two commands
      "rcon_password a:b\n",                         // three words
      "rcon_password p\xE9p\n",                      // may read as two
      "name \"a\"b\"\n",                             // read as "a" and more
      "bind \" a\nalias a \";showplayerinfo\"\n",    // the quote swallows the line
      "bind \x1B a\nalias a \";showplayerinfo\"\n",  // Esc reads as a blank
      // No key press arrives as a capital, a Shift symbol, the backtick or
      // a byte from 128 on.
      "bind A a\nalias a \";showplayerinfo\"\n",
      "bind ! a\nalias a \";showplayerinfo\"\n",
      "bind ` a\nalias a \";showplayerinfo\"\n",
      "bind \xE9 a\nalias a \";showplayerinfo\"\n",
      "rcon_password a,b\n",                       // three words
      "rcon_password \"x;y\\\"\n",                 // one engine reads x;y"
      "name \"" + std::string(127, 'n') + "\"\n",  // the player info keeps the old name
      "name \"a\\b\"\n",
      "name \"a..b\"\n",
      "name \"a\x1F\"\n",  // dropped from the name
      "name \"a\x7F\"\n",
      "bind k usp{\nalias usp{ \";showplayerinfo\"\n",  // "{" is a word of its own
      // Read as "usp", which the code-0 name is too.
      std::string{"bind k usp\x01\nalias usp\x01 \";showplayerinfo\"\n"} +
          "bind j usp\nalias usp \";showplayerinfo\"\n",
  };
  for (const std::string& script : broken) {
    EXPECT_FALSE(scriptProblems(script).empty()) << script;
  }
  // No sound script of 47 binds comes near the limit, so only the size
  // problem itself tells that an over-large one is caught.
  std::string huge;
  while (huge.size() < kLargestExecBytes) {
    huge += "bind k a\nalias a \";showplayerinfo\"\n";
  }
  const auto problems = scriptProblems(huge);
  EXPECT_NE(std::find_if(problems.begin(), problems.end(),
                         [](const std::string& p) { return p.find("too large") != p.npos; }),
            problems.end());
  // What the player confirmed must be what the game reads.
  EXPECT_FALSE(scriptProblems("name \"ab\"\n", {"a", std::nullopt}).empty());
  EXPECT_FALSE(scriptProblems("rcon_password ab\n", {std::nullopt, "a"}).empty());
  EXPECT_FALSE(scriptProblems("rcon_password a//b\n", {std::nullopt, "a//b"}).empty());
}

// Every script a transcript expects, read as the game reads it, with the
// words its console shows confirmed.
TEST(ScriptChecks, EveryTranscriptsScriptReadsAsThePlayerMeant) {
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(BINDSMITH_E2E_DIR)) {
    for (const auto& file : std::filesystem::directory_iterator(entry.path())) {
      if (file.path().extension() == ".cfg") {
        SCOPED_TRACE(file.path().string());
        const ConfirmedWords words = confirmedWords(readFile(entry.path() / "stdout"));
        EXPECT_EQ(scriptProblems(readFile(file.path()), words), std::vector<std::string>{});
        ++scripts;
      }
    }
  }
  EXPECT_GT(scripts, 30);
}

}  // namespace
}  // namespace bindsmith::test
