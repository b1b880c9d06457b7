#include "config/player_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/statements.h"
#include "console/prompt.h"
#include "support/console.h"

namespace bindsmith {
namespace {

using test::ConsoleTest;
using test::openTestScript;
using test::unreadInput;

const std::string kStars = "\n*******************************************************\n\n";

std::string nameQuestion(std::string_view name) {
  return "Please enter a playername \nIs " + std::string{name} +
         " the correct name?\n 1. Yes 2. No\n"
         "Enter a Is that the correct player name? choice, 1-2 ";
}

std::string passwordQuestion(std::string_view password) {
  return "Please enter the rcon password \nIs " + std::string{password} +
         " the correct password?\n1. Yes 2. No\nEnter a Rcon pass correct choice, 1-2 ";
}

class PlayerSettingsTest : public ConsoleTest {
 protected:
  void SetUp() override { openTestScript(); }
};

TEST_F(PlayerSettingsTest, NameIsConfirmedThenWritten) {
  io_.type("alpha beta\n1\n");
  setPlayerName();
  EXPECT_EQ(io_.console(), nameQuestion("alpha") + "Bad input detected, enter an integer\n" +
                               "Enter a Is that the correct player name? choice, 1-2 " +
                               "Playername set to alpha\n" + kStars + kStars);
  EXPECT_EQ(io_.script(), "name \"alpha\"\n");
}

TEST_F(PlayerSettingsTest, AnswerOnTheWordsLineConfirmsOrRefusesAtOnce) {
  io_.type("alpha 2\nbeta 2\nq;\xE9//x 1\nrest");
  setPlayerName();
  EXPECT_EQ(io_.console(), nameQuestion("alpha") + nameQuestion("beta") +
                               nameQuestion("q;\xE9//x") + "Playername set to q;\xE9//x\n" +
                               kStars + kStars);
  EXPECT_EQ(io_.script(), "name \"q;\xE9//x\"\n");
  EXPECT_EQ(unreadInput(), "\nrest");
}

// What the game would not read as typed is refused right after it is read,
// before any confirmation, and the rest of its line dropped: a word longer
// than its storage (checked first), then one holding a double quote (which
// ends a quoted text), then a NUL (where a console stops reading). Exactly
// 299 and 59 characters are whole.
TEST_F(PlayerSettingsTest, AWordTheGameWouldNotReadAsTypedIsRefused) {
  const std::string name(299, 'n');
  io_.type("\"" + name + " 1\n" + std::string("a\0\"b 1\n", 7) + std::string("a\0b 1\n", 6) + name +
           " 1\n");
  setPlayerName();
  const std::string ask = "Please enter a playername \n";
  EXPECT_EQ(io_.console(),
            ask + "A player name can not be longer than 299 characters please try again\n" + ask +
                "A player name can not contain the character \" please try again\n" + ask +
                "A player name can not contain the NUL character please try again\n" +
                nameQuestion(name) + "Playername set to " + name + "\n" + kStars + kStars);
  EXPECT_EQ(io_.script(), "name \"" + name + "\"\n");

  // Sixty characters ending in 1: the 1 must not confirm the first 59.
  const std::string password(59, 'p');
  io_.type(password + "1\n" + "pa\"ss 1\n" + std::string("p\0w 1\n", 6) + password + " 1\n");
  const auto before = io_.console().size();
  setRconPassword();
  const std::string request = "Please enter the rcon password \n";
  EXPECT_EQ(io_.console().substr(before),
            request + "A password can not be longer than 59 characters please try again\n" +
                request + "A password can not contain the character \" please try again\n" +
                request + "A password can not contain the NUL character please try again\n" +
                passwordQuestion(password));
  EXPECT_EQ(io_.script(), "name \"" + name + "\"\nrcon_password " + password + "\n");
}

// Quoted only where the game would read the bare password otherwise: a
// command break, a comment, a word of its own, a byte it may take for a blank.
TEST(RconStatement, APasswordIsQuotedOnlyWhereItMustBe) {
  struct Sample {
    std::string_view password;
    bool quoted;
  };
  const std::vector<Sample> samples{
      {"hunter2", false}, {"a/b", false},  {"!#$%&*+,-.<=>?@[\\]^_`|~", false},
      {"x;quit", true},   {"a//b", true},  {"it's", true},
      {"(x", true},       {"x)", true},    {"a:b", true},
      {"{x", true},       {"x}", true},    {"\x01x", true},
      {"x\x1F", true},    {"x\x7F", true}, {"p\xE9p", true},
      {"\xFF", true},
  };
  for (const auto& [password, quoted] : samples) {
    const test::ScriptedConsole io;
    openTestScript();
    writeRconStatement(password);
    const std::string word{password};
    EXPECT_EQ(io.script(), "rcon_password " + (quoted ? "\"" + word + "\"" : word) + "\n");
  }
}

TEST_F(PlayerSettingsTest, NetgraphOnlyOnYes) {
  io_.type("2\n");
  setNetgraph();
  EXPECT_EQ(io_.script(), "");
  io_.type("1\n");
  setNetgraph();
  EXPECT_EQ(io_.script(), "r_netgraph 1\n");
  EXPECT_EQ(io_.console(),
            "Would you like to use netgraph?\n1. yes 2. no\nEnter a netgraph on/off choice, 1-2 "
            "Would you like to use netgraph?\n1. yes 2. no\nEnter a netgraph on/off choice, 1-2 ");
}

TEST_F(PlayerSettingsTest, NothingIsWrittenBeforeConfirmation) {
  struct Sample {
    void (*dialogue)();
    const char* input;
  };
  for (const auto& [dialogue, input] : std::vector<Sample>{{setPlayerName, "alpha\n"},
                                                           {setPlayerName, "alpha 2\n"},
                                                           {setRconPassword, "pw\n"},
                                                           {setRconPassword, ""},
                                                           {setNetgraph, "\n"}}) {
    io_.type(input);
    EXPECT_THROW(dialogue(), EndOfInput);
  }
  EXPECT_EQ(io_.script(), "");
}

}  // namespace
}  // namespace bindsmith
