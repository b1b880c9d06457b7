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

// The game ends a quoted text at a double quote and has no way to write one
// inside it, so a word holding one would reach the game cut short.
// A refused word's request line is ended first if the player typed on it.
bool refusedForItsQuote(const std::string& word, PromptLine line, std::string_view refusal) {
  if (word.find('"') == std::string::npos) {
    return false;
  }
  if (line == PromptLine::open) {
    std::cout << std::endl;
  }
  std::cout << refusal << std::endl;
  discardLine(kWordLineDiscard);
  return true;
}

// Reads the player name until it holds no double quote.
std::string readName() {
  for (;;) {
    std::cout << "Please enter a playername " << std::endl;
    std::string name = readWord(kPlayerNameChars, PromptLine::closed);
    if (!refusedForItsQuote(name, PromptLine::closed,
                            "A player name can not contain the character \" please try again")) {
      return name;
    }
  }
}

// Reads the password until it holds no double quote. The player types on the
// request's line.
std::string readPassword() {
  for (;;) {
    std::cout << "Please enter the rcon password ";
    std::string password = readWord(kPasswordChars, PromptLine::open);
    if (!refusedForItsQuote(password, PromptLine::open,
                            "A password can not contain the character \" please try again")) {
      return password;
    }
  }
}

}  // namespace

void setPlayerName() {
  std::string name;
  do {
    name = readName();
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
    password = readPassword();
    // The answer offer ends with a bare line break, which the prompt's read
    // flushes.
    std::cout << std::endl
              << "Is " << password << " the correct password?" << std::endl
              << "1. Yes 2. No\n";
  } while (promptChoice(1, 2, "Rcon pass correct") != 1);
  writeRconStatement(password);
}

}  // namespace bindsmith
