#include "binds/quick_binds.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "console/prompt.h"
#include "support/fixture.h"

namespace bindsmith {
namespace {

class QuickBindTest : public test::ConsoleFixture {
 protected:
  Script& script_ = io_.openedScript();
  UsedKeys usedKeys_{};
};

TEST_F(QuickBindTest, StatementsInTheirOrder) {
  io_.type("1\nf\n1\n1\nh\n1\n1\nq\n1\n");
  bindQuickFlash(io_.console(), script_, usedKeys_);
  bindQuickHe(io_.console(), script_, usedKeys_);
  bindQuickKnife(io_.console(), script_, usedKeys_);
  EXPECT_EQ(io_.written(),
            "alias +quickflash \"use weapon_flashbang;wait;wait;+attack;developer 1;echo Throwing "
            "Flashbang;developer 0\"\n"
            "alias -quickflash \"-attack;wait;wait;wait;lastinv;developer 1;echo Threw "
            "Flashbang;developer 0\"\n"
            "bind f +quickflash\n"
            "alias +quickhe \"use weapon_grennade;wait;wait;+attack;developer 1;echo Throwing HE "
            "Grenade;developer 0\"\n"
            "alias -quickhe \"-attack;wait;wait;wait;lastinv;developer 1;echo Threw HE "
            "Grenade;developer 0\"\n"
            "bind h +quickhe\n"
            "bind q quickknife\n"
            "alias quickknife  \"use weapon_knife\"\n");
}

// Bare, the key ';' would end the bind command: the game would run the
// action while loading the script, and bind nothing.
TEST_F(QuickBindTest, TheSemicolonKeyIsQuotedInEveryQuickBind) {
  const std::array<std::pair<void (*)(Console&, Script&, UsedKeys&), std::string_view>, 3> actions{{
      {bindQuickFlash, "bind \";\" +quickflash\n"},
      {bindQuickHe, "bind \";\" +quickhe\n"},
      {bindQuickKnife, "bind \";\" quickknife\n"},
  }};
  for (const auto& [bind, line] : actions) {
    usedKeys_ = {};
    const std::size_t before = io_.written().size();
    io_.type("1\n;\n1\n");
    bind(io_.console(), script_, usedKeys_);
    EXPECT_NE(io_.written().find(line, before), std::string::npos) << line;
  }
}

TEST_F(QuickBindTest, QuestionAndKeyLabelsDiffer) {
  io_.type("1\nh\n1\n");
  bindQuickHe(io_.console(), script_, usedKeys_);
  EXPECT_EQ(io_.shown(),
            "Assine Quick HE grenade key?\n1. Yes 2.No\nEnter a HE grenade key choice, 1-2 "
            "Please enter the key you wish to bind HE Gernade Key to: h is that the correct "
            "key?\n1. Yes 2. No\nEnter a key conformation choice, 1-2 ");
}

TEST_F(QuickBindTest, NoWritesNothingAndReservesNoKey) {
  io_.type("2\n2\n2\n");
  bindQuickFlash(io_.console(), script_, usedKeys_);
  bindQuickHe(io_.console(), script_, usedKeys_);
  bindQuickKnife(io_.console(), script_, usedKeys_);
  EXPECT_EQ(io_.written(), "");
  EXPECT_EQ(usedKeys_, UsedKeys{});
  EXPECT_EQ(io_.shown(),
            "Assine Quick flashbang key?\n1. Yes 2.No\nEnter a Quick flashbang key choice, 1-2 "
            "Assine Quick HE grenade key?\n1. Yes 2.No\nEnter a HE grenade key choice, 1-2 "
            "Assine Quick knife key?\n1. Yes 2.No\nEnter a Knife choice choice, 1-2 ");
}

TEST_F(QuickBindTest, NoFreeKeyWritesNothing) {
  usedKeys_.fill(true);
  io_.type("1\n");
  bindQuickKnife(io_.console(), script_, usedKeys_);
  EXPECT_EQ(io_.written(), "");
}

TEST_F(QuickBindTest, EndOfInputAtTheKeyWritesNothing) {
  io_.type("1\nf\n");
  EXPECT_THROW(bindQuickFlash(io_.console(), script_, usedKeys_), EndOfInput);
  EXPECT_EQ(io_.written(), "");
}

}  // namespace
}  // namespace bindsmith
