#include "support/script_checks.h"

#include <gtest/gtest.h>

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
                             "bind \" equipmenta\nalias equipmenta \";showplayerinfo\"\n"
                             "bind \";\" quickknife\nalias quickknife  \"use weapon_knife\"\n")
                  .empty());
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
  };
  for (const std::string& script : broken) {
    EXPECT_FALSE(scriptProblems(script).empty()) << script;
  }
}

}  // namespace
}  // namespace bindsmith::test
