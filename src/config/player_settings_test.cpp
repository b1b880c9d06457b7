#include "config/player_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  io_.type("alpha 2\nbeta 2\n\"q;\xE9\" 1\nrest");
  setPlayerName();
  EXPECT_EQ(io_.console(), nameQuestion("alpha") + nameQuestion("beta") +
                               nameQuestion("\"q;\xE9\"") + "Playername set to \"q;\xE9\"\n" +
                               kStars + kStars);
  EXPECT_EQ(io_.script(), "name \"\"q;\xE9\"\"\n");
  EXPECT_EQ(unreadInput(), "\nrest");
}

TEST_F(PlayerSettingsTest, LongNameLeavesItsExcessToTheConfirmation) {
  io_.type(std::string(299, 'n') + "1 2\n1\n");
  setPlayerName();
  EXPECT_EQ(io_.script(), "name \"" + std::string(299, 'n') + "\"\n");
  EXPECT_EQ(io_.console().find("Bad input"), std::string::npos);
  EXPECT_EQ(unreadInput(), " 2\n1\n");
}

TEST_F(PlayerSettingsTest, PasswordIsConfirmedThenWritten) {
  io_.type("secret 2\nhunter2\n1\n");
  setRconPassword();
  EXPECT_EQ(io_.console(), passwordQuestion("secret") + passwordQuestion("hunter2"));
  EXPECT_EQ(io_.script(), "rcon_password hunter2\n");
}

TEST_F(PlayerSettingsTest, LongPasswordLeavesItsExcessToTheConfirmation) {
  io_.type(std::string(59, 'p') + "2\n" + std::string(60, 'p') + "\n1\n");
  setRconPassword();
  EXPECT_EQ(io_.script(), "rcon_password " + std::string(59, 'p') + "\n");
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
