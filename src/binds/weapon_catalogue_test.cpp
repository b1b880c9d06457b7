#include "binds/weapon_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/fixture.h"

namespace bindsmith {
namespace {

// The real catalogue after one slip of an editor's hand: none may compile.
template <typename Slip>
constexpr bool soundAfter(Slip slip) {
  auto rows = kWeaponCatalogue;
  slip(rows);
  return catalogueIsSound(rows);
}
using Rows = std::remove_cvref_t<decltype(kWeaponCatalogue)>;
static_assert(!soundAfter([](Rows& r) { std::rotate(r.begin() + 13, r.begin() + 14, r.end()); }),
              "a rifle row after the equipment row");
static_assert(!soundAfter([](Rows& r) { std::rotate(&r[8], &r[14], &r[15]); }),
              "the machine gun before the rifles");
static_assert(!soundAfter([](Rows& r) { std::swap(r[0], r[1]); }), "two pistols swapped");
static_assert(!soundAfter([](Rows& r) { r[3] = r[4], r[4].item = "2"; }),
              "a second shotgun, which its question never offers");
static_assert(!soundAfter([](Rows& r) { r[8].category = ""; }), "a rifle without its page");
static_assert(!soundAfter([](Rows& r) { r[9].listName = ""; }), "a blank line in a list");

TEST(AliasName, AdvancesTheLastLetterPerBind) {
  EXPECT_EQ(aliasName("uspa", 0), "uspa");
  EXPECT_EQ(aliasName("uspa", 1), "uspb");
  EXPECT_EQ(aliasName("uspa", 25), "uspz");
  EXPECT_EQ(aliasName("uspa", 27), "usp|");
  EXPECT_EQ(aliasName("uspa", 29), "usp~");
  EXPECT_EQ(aliasName("uspa", 159), "usp") << "code 0 adds no character";
  EXPECT_EQ(aliasName("uspa", 192), "usp!");
  EXPECT_EQ(aliasName("sigp288a", 256), "sigp288a") << "only the low 8 bits count";
}

// Each code the game would not read as part of the name: white space, the
// double quote and ';' (which end the word or the command), the brackets,
// ':' and "'" (words of their own), control bytes and bytes from 127 on
// (which it may read as blanks).
TEST(AliasName, CodesThatWouldBreakTheScriptAreSpeltOut) {
  const std::vector<std::pair<std::int32_t, std::string>> samples{
      {26, "usp_7b"},  {28, "usp_7d"},  {30, "usp_7f"},  {31, "usp_80"},  {158, "usp_ff"},
      {160, "usp_01"}, {168, "usp_09"}, {169, "usp_0a"}, {170, "usp_0b"}, {171, "usp_0c"},
      {172, "usp_0d"}, {190, "usp_1f"}, {191, "usp_20"}, {193, "usp_22"}, {198, "usp_27"},
      {199, "usp_28"}, {200, "usp_29"}, {217, "usp_3a"}, {218, "usp_3b"}};
  for (const auto& [binds, name] : samples) {
    EXPECT_EQ(aliasName("uspa", binds), name);
  }
}

TEST(AliasName, EveryNameOfARunIsOneDistinctWord) {
  // A run reserves at most 47 keys, so no row gets more than 47 binds; the
  // names stay distinct words far beyond that.
  std::set<std::string> names;
  for (const WeaponRow& row : kWeaponCatalogue) {
    for (std::int32_t binds = 0; binds < 221; ++binds) {
      const std::string name = aliasName(row.stem, binds);
      EXPECT_TRUE(names.insert(name).second) << name;
      for (const char c : name) {
        EXPECT_TRUE(c > ' ' && c < '\x7F' &&
                    std::string_view{"\";'():{}"}.find(c) == std::string_view::npos)
            << name;
      }
    }
  }
  for (const char* quickAlias :
       {"+quickflash", "-quickflash", "+quickhe", "-quickhe", "quickknife"}) {
    EXPECT_FALSE(names.contains(quickAlias));
  }
}

class WeaponGroupTest : public test::ConsoleFixture {
 protected:
  void offer(Group group) { offerWeaponGroup(io_.console(), group, script_, usedKeys_, counters_); }
  Script& script_ = io_.openedScript();
  UsedKeys usedKeys_{};
  AliasCounters counters_{};
  // Answers the key and all three add-on questions with no add-ons.
  static std::string bindWith(char key) { return "\n" + std::string(1, key) + "\n1\n2\n2\n2\n"; }
};

TEST_F(WeaponGroupTest, EachGroupBindsItsRowsUnderTheirOwnNames) {
  struct Sample {
    Group group;
    std::string answer;
    std::string script;
  };
  const std::vector<Sample> samples{
      {Group::pistol, "4", "bind a sigp288a\nalias sigp288a \"buyweapon;menuselect 1;menuselect 4"},
      {Group::shotgun, "1",
       "bind b shotguna\nalias shotguna \"buyweapon;menuselect 2;menuselect 1"},
      {Group::smg, "2", "bind c stempa\nalias stempa \"buyweapon;menuselect 3;menuselect 2"},
      {Group::rifle, "6",
       "bind d steyrscouta\nalias steyrscouta \"buyweapon;menuselect 4;menuselect 6"},
      {Group::machineGun, "1", "bind e mparaa\nalias mparaa \"buyweapon;menuselect 5;menuselect 1"},
      {Group::equipment, "1", "bind f equipmenta\nalias equipmenta \""},
  };
  char key = 'a';
  for (const auto& sample : samples) {
    const auto before = io_.written().size();
    io_.type(sample.answer + bindWith(key++));
    offer(sample.group);
    EXPECT_EQ(io_.written().substr(before), sample.script + ";showplayerinfo\"\n");
  }
}

TEST_F(WeaponGroupTest, ListsAndQuestionsAsShown) {
  io_.type("1" + bindWith('a'));
  offer(Group::rifle);
  EXPECT_TRUE(io_.shown().starts_with(
      "1. Colt M4A1 Carbine\n2. AI Arctic Warfare/Magnum\n3. H&K G3/SG-1 Sniper Rifle\n"
      "4. Sig SG-552 Commando\n5. AK-47\n6. Steyr Scout\nEnter a Pistol choice choice, 1-6 "
      "Please enter the key you wish to bind Colt M4A1 Carbine to: "));
  io_.type("2\n");
  const auto before = io_.shown().size();
  offer(Group::machineGun);
  EXPECT_EQ(io_.shown().substr(before),
            "Get a FN M249 Para?\n1. Yes 2.No\nEnter a Shotgun choice choice, 1-2 ");
}

TEST_F(WeaponGroupTest, CountersAdvanceOnlyAfterACompletedBind) {
  io_.type("2\n2\n2\n");
  offer(Group::shotgun);
  offer(Group::machineGun);
  offer(Group::equipment);
  EXPECT_EQ(io_.written(), "");
  EXPECT_EQ(counters_, AliasCounters{});

  io_.type("1" + bindWith('a') + "1" + bindWith('b') + "2" + bindWith('c'));
  offer(Group::pistol);
  offer(Group::pistol);
  offer(Group::pistol);
  const std::string script = io_.written();
  EXPECT_NE(script.find("bind a uspa\n"), std::string::npos);
  EXPECT_NE(script.find("bind b uspb\n"), std::string::npos);
  EXPECT_NE(script.find("bind c glocka\n"), std::string::npos);
  EXPECT_EQ(counters_[0], 2);
  EXPECT_EQ(counters_[1], 1);

  usedKeys_.fill(true);
  io_.type("1\n");
  offer(Group::pistol);
  EXPECT_EQ(counters_[0], 2) << "no key, no bind";
}

}  // namespace
}  // namespace bindsmith
