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

// A word the player types, and the request that asks for it. The password
// is typed on the request's line, the name on the line after it.
struct WordRequest {
  std::string_view request;
  PromptLine line;
  std::size_t maxChars;
  std::string_view refusal;
};
constexpr WordRequest kNameRequest{
    "Please enter a playername ", PromptLine::closed, kPlayerNameChars,
    "A player name can not contain the character \" please try again"};
constexpr WordRequest kPasswordRequest{
    "Please enter the rcon password ", PromptLine::open, kPasswordChars,
    "A password can not contain the character \" please try again"};

// Asks until the word holds no double quote: the game ends a quoted text at
// one and has no way to write one inside it, so the word would reach the
// game cut short. A refused word's line is dropped, as a file name's is.
std::string readWordWithoutQuote(const WordRequest& ask) {
  for (;;) {
    std::cout << ask.request;
    if (ask.line == PromptLine::closed) {
      std::cout << std::endl;
    }
    std::string word = readWord(ask.maxChars, ask.line);
    if (word.find('"') == std::string::npos) {
      return word;
    }
    if (ask.line == PromptLine::open) {
      std::cout << std::endl;
    }
    std::cout << ask.refusal << std::endl;
    discardLine(kWordLineDiscard);
  }
}

}  // namespace

void setPlayerName() {
  std::string name;
  do {
    name = readWordWithoutQuote(kNameRequest);
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
    password = readWordWithoutQuote(kPasswordRequest);
    // The answer offer ends with a bare line break, which the prompt's read
    // flushes.
    std::cout << std::endl
              << "Is " << password << " the correct password?" << std::endl
              << "1. Yes 2. No\n";
  } while (promptChoice(1, 2, "Rcon pass correct") != 1);
  writeRconStatement(password);
}

}  // namespace bindsmith
