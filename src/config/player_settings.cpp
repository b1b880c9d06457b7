#include "config/player_settings.h"

#include <iostream>
#include <string>

#include "config/statements.h"
#include "console/frame.h"
#include "console/prompt.h"

namespace bindsmith {

namespace {

// Storage of 300 and 60 characters with the terminator; a longer word leaves
// its excess in the input, where the confirmation reads it.
constexpr std::size_t kPlayerNameChars = 299;
constexpr std::size_t kPasswordChars = 59;

}  // namespace

void setPlayerName() {
  std::string name;
  do {
    std::cout << "Please enter a playername " << std::endl;
    name = readWord(kPlayerNameChars, PromptLine::closed);
  } while (!askYesNo({"Is " + name + " the correct name?\n 1. Yes 2. No"},
                     "Is that the correct player name?"));
  std::cout << "Playername set to " << name << std::endl;
  writeNameStatement(name);
  printSeparator();
  printSeparator();
}

void setNetgraph() {
  if (askYesNo({"Would you like to use netgraph?", "1. yes 2. no"}, "netgraph on/off")) {
    writeNetgraphStatement();
  }
}

void setRconPassword() {
  std::string password;
  do {
    // The player types on the request's line; the answer offer ends with a
    // bare line break, which the prompt's read flushes.
    std::cout << "Please enter the rcon password ";
    password = readWord(kPasswordChars, PromptLine::open);
    std::cout << std::endl
              << "Is " << password << " the correct password?" << std::endl
              << "1. Yes 2. No\n";
  } while (promptChoice(1, 2, "Rcon pass correct") != 1);
  writeRconStatement(password);
}

}  // namespace bindsmith
