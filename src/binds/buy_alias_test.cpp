#include "binds/buy_alias.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/statements.h"
#include "console/prompt.h"
#include "support/fixture.h"

namespace bindsmith {
namespace {

using test::repeated;

constexpr std::string_view kPrimary = ";buyammo;menuselect 1";
constexpr std::string_view kSecondary = ";buyammo;menuselect 2";
constexpr std::string_view kHe = ";buyitem;menuselect 5";
constexpr std::string_view kConc = ";buyitem;menuselect 4";

class AddOnTest : public test::ConsoleFixture {
 protected:
  Script& script_ = io_.openedScript();
};

TEST_F(AddOnTest, KevlarChoices) {
  const std::vector<std::pair<const char*, std::string>> samples{
      {"1\n", ";buyitem;menuselect 3"},
      {"2\n", ";buyitem;menuselect 1"},
      {"3\n", ";buyitem;menuselect  3;buyitem;menuselect 1"},
      {"4\n", ""},
  };
  for (const auto& [answer, fragments] : samples) {
    SCOPED_TRACE(answer);
    const auto before = io_.written().size();
    io_.type(answer);
    askKevlar(io_.console(), script_);
    EXPECT_EQ(io_.written().substr(before), fragments);
  }
  EXPECT_TRUE(io_.shown().starts_with(
      "1. Buy full kevlar\n2. Buy regular kevlar\n3. Buy full kevlar and if that fails get "
      "regular kevlar\n4. No kevlar\nEnter a Kevlar choice choice, 1-4 1. Buy full"));
}

TEST_F(AddOnTest, AmmoCounts) {
  for (int primary = 0; primary <= 6; ++primary) {
    for (int secondary = 0; secondary <= 6; secondary += 3) {
      const auto before = io_.written().size();
      io_.type(std::to_string(primary) + "\n" + std::to_string(secondary) + "\n");
      askAmmo(io_.console(), script_);
      EXPECT_EQ(io_.written().substr(before),
                repeated(kPrimary, primary) + repeated(kSecondary, secondary));
    }
  }
  io_.type("7 -1 2\n1\n");
  const auto before = io_.written().size();
  askAmmo(io_.console(), script_);
  EXPECT_EQ(io_.written().substr(before), repeated(kPrimary, 2) + std::string{kSecondary});
}

TEST_F(AddOnTest, GrenadesPutTheHeBeforeTheConcs) {
  for (int conc = 0; conc <= 3; ++conc) {
    for (int he = 0; he <= 1; ++he) {
      const auto before = io_.written().size();
      io_.type(std::to_string(conc) + "\n" + std::to_string(he) + "\n");
      askGrenades(io_.console(), script_);
      EXPECT_EQ(io_.written().substr(before), repeated(kHe, he) + repeated(kConc, conc));
    }
  }
}

TEST_F(AddOnTest, UnfinishedDialogueAddsNothing) {
  for (const auto ask : {askAmmo, askGrenades}) {
    io_.type("1\n");
    EXPECT_THROW(ask(io_.console(), script_), EndOfInput);
  }
  io_.type("");
  EXPECT_THROW(askKevlar(io_.console(), script_), EndOfInput);
  EXPECT_EQ(io_.written(), "");
}

class BuyBindTest : public test::ConsoleFixture {
 protected:
  Script& script_ = io_.openedScript();
  UsedKeys usedKeys_{};
};

TEST_F(BuyBindTest, EveryAddOnAtItsMaximumGivesEighteenFragments) {
  io_.type("\nk\n1\n1\n6\n6\n1\n3\n1\n3\n1\n");
  EXPECT_TRUE(writeBuyBind(io_.console(), script_, usedKeys_, "ak47a", "AK-47", "5", "4"));
  EXPECT_EQ(io_.written(), "bind k ak47a\nalias ak47a \"buyweapon;menuselect 4;menuselect 5" +
                               repeated(kPrimary, 6) + repeated(kSecondary, 6) +
                               ";buyitem;menuselect  3;buyitem;menuselect 1" + std::string{kHe} +
                               repeated(kConc, 3) + ";showplayerinfo\"\n");
}

TEST_F(BuyBindTest, NoAddOnsGiveHeadThenTail) {
  io_.type("\nk\n1\n2\n2\n2\n");
  EXPECT_TRUE(
      writeBuyBind(io_.console(), script_, usedKeys_, "uspa", "H&K USP .45 Tactical", "1", "1"));
  EXPECT_EQ(io_.written(),
            "bind k uspa\nalias uspa \"buyweapon;menuselect 1;menuselect 1;showplayerinfo\"\n");
  io_.type("\nq\n1\n2\n2\n2\n");
  EXPECT_TRUE(writeEquipmentBind(io_.console(), script_, usedKeys_, "equipmenta", "Equipment key"));
  EXPECT_EQ(io_.written().substr(io_.written().find("bind q")),
            "bind q equipmenta\nalias equipmenta \";showplayerinfo\"\n");
}

TEST_F(BuyBindTest, QuestionsAndTheirLabels) {
  io_.type("\nk\n1\n2\n2\n2\n");
  ASSERT_TRUE(writeEquipmentBind(io_.console(), script_, usedKeys_, "equipmenta", "Equipment key"));
  const std::string questions =
      "Would you like to purchase ammo with that?\n1. Yes 2. No\n"
      "Enter a Get ammo with that? choice, 1-2 "
      "Would you like to purchase kevlar with that?\n1. Yes 2. No\n"
      "Enter a Kevlar with that choice, 1-2 "
      "Would you like to get a gernade with that?\n1. Yes 2.No\n"
      "Enter a Gernade with that choice, 1-2 ";
  EXPECT_TRUE(io_.shown().ends_with(questions)) << io_.shown();
  io_.type("\nj\n1\n2\n2\n2\n");
  ASSERT_TRUE(
      writeBuyBind(io_.console(), script_, usedKeys_, "uspa", "H&K USP .45 Tactical", "1", "1"));
  EXPECT_NE(io_.shown().find("Enter a Ammo with that choice, 1-2 "), std::string::npos);
}

TEST_F(BuyBindTest, NothingIsWrittenBeforeAFreeKeyIsConfirmed) {
  usedKeys_['k'] = true;
  io_.type("\nk\n1\nk\n2\n");
  EXPECT_THROW(
      writeBuyBind(io_.console(), script_, usedKeys_, "uspa", "H&K USP .45 Tactical", "1", "1"),
      EndOfInput);
  EXPECT_EQ(io_.written(), "");
}

TEST_F(BuyBindTest, EndOfInputClosesTheOpenAlias) {
  // Input ends inside the kevlar dialogue: the ammo fragments stay, the alias
  // line is finished.
  io_.type("\nk\n1\n1\n1\n0\n1\n");
  EXPECT_THROW(
      writeBuyBind(io_.console(), script_, usedKeys_, "uspa", "H&K USP .45 Tactical", "1", "1"),
      EndOfInput);
  EXPECT_EQ(io_.written(),
            "bind k uspa\nalias uspa \"buyweapon;menuselect 1;menuselect 1;buyammo;menuselect "
            "1;showplayerinfo\"\n");
}

TEST_F(BuyBindTest, BindLineIsCompleteBeforeTheFirstQuestion) {
  io_.type("\nk\n1\n");
  EXPECT_THROW(writeEquipmentBind(io_.console(), script_, usedKeys_, "equipmenta", "Equipment key"),
               EndOfInput);
  EXPECT_EQ(io_.written(), "bind k equipmenta\nalias equipmenta \";showplayerinfo\"\n");
}

}  // namespace
}  // namespace bindsmith
