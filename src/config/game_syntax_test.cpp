#include "config/game_syntax.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace bindsmith {
namespace {

// Quoted only where the game would read the bare password otherwise: a
// command break, a comment, a word of its own, a byte it may take for a blank.
TEST(GameSyntax, APasswordIsQuotedOnlyWhereItMustBe) {
  struct Sample {
    std::string_view password;
    bool quoted;
  };
  const std::vector<Sample> samples{
      {"hunter2", false}, {"a/b", false},   {"!#$%&*+-.<=>?@[\\]^_`|~", false},
      {"a,b", true},      {",", true},      {"x;quit", true},
      {"a//b", true},     {"it's", true},   {"(x", true},
      {"x)", true},       {"a:b", true},    {"{x", true},
      {"x}", true},       {"\x01x", true},  {"x\x1F", true},
      {"x\x7F", true},    {"p\xE9p", true}, {"\xFF", true},
  };
  for (const auto& [password, quoted] : samples) {
    EXPECT_EQ(passwordNeedsQuotes(password), quoted) << password;
  }
}

}  // namespace
}  // namespace bindsmith
