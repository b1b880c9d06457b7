#include "config/player_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/prompt.h"
#include "support/fixture.h"

namespace bindsmith {
namespace {

const std::string kStars{test::kSeparator};

std::string nameQuestion(std::string_view name) {
  return "Please enter a playername \nIs " + std::string{name} +
         " the correct name?\n 1. Yes 2. No\n"
         "Enter a Is that the correct player name? choice, 1-2 ";
}

std::string passwordQuestion(std::string_view password) {
  return "Please enter the rcon password \nIs " + std::string{password} +
         " the correct password?\n1. Yes 2. No\nEnter a Rcon pass correct choice, 1-2 ";
}

class PlayerSettingsTest : public test::ConsoleFixture {
 protected:
  Script& script_ = io_.openedScript();
};

TEST_F(PlayerSettingsTest, NameIsConfirmedThenWritten) {
  io_.type("alpha beta\n1\n");
  setPlayerName(io_.console(), script_);
  EXPECT_EQ(io_.shown(), nameQuestion("alpha") + "Bad input detected, enter an integer\n" +
                             "Enter a Is that the correct player name? choice, 1-2 " +
                             "Playername set to alpha\n" + kStars + kStars);
  EXPECT_EQ(io_.written(), "name \"alpha\"\n");
}

TEST_F(PlayerSettingsTest, AnswerOnTheWordsLineConfirmsOrRefusesAtOnce) {
  io_.type("alpha 2\nbeta 2\nq;\xE9//x 1\nrest");
  setPlayerName(io_.console(), script_);
  EXPECT_EQ(io_.shown(), nameQuestion("alpha") + nameQuestion("beta") + nameQuestion("q;\xE9//x") +
                             "Playername set to q;\xE9//x\n" + kStars + kStars);
  EXPECT_EQ(io_.written(), "name \"q;\xE9//x\"\n");
  EXPECT_EQ(io_.unread(), "\nrest");
}

// What the game would not read as typed is refused right after it is read,
// before any confirmation, and the rest of its line dropped: a word longer
// than its storage (checked first), then one holding a double quote (which
// ends a quoted text), then a NUL (where a console stops reading). Exactly
// 299 and 59 characters are whole.
TEST_F(PlayerSettingsTest, AWordTheGameWouldNotReadAsTypedIsRefused) {
  // Too long is checked first: 127 characters, one of them a quote.
  const std::string name(126, 'n');
  io_.type("\"" + name + " 1\n" + std::string("a\0\"b 1\n", 7) + std::string("a\0b 1\n", 6) + name +
           " 1\n");
  setPlayerName(io_.console(), script_);
  const std::string ask = "Please enter a playername \n";
  EXPECT_EQ(io_.shown(),
            ask + "A player name can not be longer than 126 characters please try again\n" + ask +
                "A player name can not contain the character \" please try again\n" + ask +
                "A player name can not contain the NUL character please try again\n" +
                nameQuestion(name) + "Playername set to " + name + "\n" + kStars + kStars);
  EXPECT_EQ(io_.written(), "name \"" + name + "\"\n");

  // Sixty characters ending in 1: the 1 must not confirm the first 59.
  const std::string password(59, 'p');
  io_.type(password + "1\n" + "pa\"ss 1\n" + std::string("p\0w 1\n", 6) + password + " 1\n");
  const auto before = io_.shown().size();
  setRconPassword(io_.console(), script_);
  const std::string request = "Please enter the rcon password \n";
  EXPECT_EQ(io_.shown().substr(before),
            request + "A password can not be longer than 59 characters please try again\n" +
                request + "A password can not contain the character \" please try again\n" +
                request + "A password can not contain the NUL character please try again\n" +
                passwordQuestion(password));
  EXPECT_EQ(io_.written(), "name \"" + name + "\"\nrcon_password " + password + "\n");
}

// A script that cannot be made its owner's alone gets no password; that is
// reported like a failed write.
TEST(RconPassword, GoesOnlyIntoAPrivateScript) {
  class SharedDisk : public test::MemorySink {
   public:
    Result<void> restrictToOwner() override { return Failure{EPERM}; }
  } disk;
  test::ScriptedConsole io("secret\n1\n", &disk);
  Script& script = io.openedScript();
  setRconPassword(io.console(), script);
  EXPECT_FALSE(script.finish(io.console()));
  EXPECT_EQ(disk.kept(), "");
  EXPECT_TRUE(
      io.shown().ends_with("Could not write to test.cfg: Operation not permitted\n" + kStars))
      << io.shown();
}

TEST_F(PlayerSettingsTest, NetgraphOnlyOnYes) {
  io_.type("2\n");
  setNetgraph(io_.console(), script_);
  EXPECT_EQ(io_.written(), "");
  io_.type("1\n");
  setNetgraph(io_.console(), script_);
  EXPECT_EQ(io_.written(), "r_netgraph 1\n");
  EXPECT_EQ(io_.shown(),
            "Would you like to use netgraph?\n1. yes 2. no\nEnter a netgraph on/off choice, 1-2 "
            "Would you like to use netgraph?\n1. yes 2. no\nEnter a netgraph on/off choice, 1-2 ");
}

TEST_F(PlayerSettingsTest, NothingIsWrittenBeforeConfirmation) {
  struct Sample {
    void (*dialogue)(Console&, Script&);
    const char* input;
  };
  for (const auto& [dialogue, input] : std::vector<Sample>{{setPlayerName, "alpha\n"},
                                                           {setPlayerName, "alpha 2\n"},
                                                           {setRconPassword, "pw\n"},
                                                           {setRconPassword, ""},
                                                           {setNetgraph, "\n"}}) {
    io_.type(input);
    EXPECT_THROW(dialogue(io_.console(), script_), EndOfInput);
  }
  EXPECT_EQ(io_.written(), "");
}

}  // namespace
}  // namespace bindsmith
