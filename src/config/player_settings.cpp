#include "config/player_settings.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "config/game_syntax.h"
#include "config/statements.h"
#include "console/prompt.h"

namespace bindsmith {

namespace {

// Storage of 300 and 60 characters with the terminator: a longer word is
// refused, or its excess would answer the confirmation by itself. (The game
// takes names of at most 126 characters; a longer one is refused too, but
// read whole first so that its excess does not answer the next request.)
constexpr std::size_t kPlayerNameChars = 299;
constexpr std::size_t kPasswordChars = 59;

// A word the player types, the request that asks for it, and why it can be
// refused: the game's checks (game_syntax.h) and the line for each flaw.
// The password is typed on the request's line, the name on the line after it.
struct Refusal {
  WordFlaw flaw;
  std::string_view line;
};
// The line for each flaw, by the flaw's place in WordFlaw (endsWithBackslash
// the last). A flaw the request's check never finds has no line of its own;
// a word with one is refused all the same, never written.
constexpr std::size_t kFlaws = static_cast<std::size_t>(WordFlaw::endsWithBackslash) + 1;
using RefusalLines = std::array<std::string_view, kFlaws>;
constexpr RefusalLines refusalLines(std::initializer_list<Refusal> refusals) {
  RefusalLines lines{};
  for (const Refusal& entry : refusals) {
    lines.at(static_cast<std::size_t>(entry.flaw)) = entry.line;
  }
  return lines;
}
struct WordRequest {
  std::string_view request;
  PromptLine line;
  std::size_t maxChars;
  WordFlaw (*flawOf)(std::string_view);
  RefusalLines refusals;
};
constexpr WordRequest kNameRequest{
    "Please enter a playername ", PromptLine::closed, kPlayerNameChars, playerNameFlaw,
    refusalLines(
        {{WordFlaw::tooLong,
          "A player name can not be longer than 126 characters please try again"},
         {WordFlaw::doubleQuote, "A player name can not contain the character \" please try again"},
         {WordFlaw::nul, "A player name can not contain the NUL character please try again"},
         {WordFlaw::backslash, "A player name can not contain the character \\ please try again"},
         {WordFlaw::twoDots, "A player name can not contain .. please try again"},
         {WordFlaw::controlByte,
          "A player name can not contain control characters please try again"}})};
constexpr WordRequest kPasswordRequest{
    "Please enter the rcon password ", PromptLine::open, kPasswordChars, passwordFlaw,
    refusalLines(
        {{WordFlaw::tooLong, "A password can not be longer than 59 characters please try again"},
         {WordFlaw::doubleQuote, "A password can not contain the character \" please try again"},
         {WordFlaw::nul, "A password can not contain the NUL character please try again"},
         {WordFlaw::endsWithBackslash,
          "A password can not end with the character \\ please try again"}})};

// Why `word` is refused, or nothing: longer than its storage (its excess
// unread), or flawed as the game would read it.
std::optional<std::string_view> refusal(const WordRequest& ask, const Word& word) {
  const WordFlaw flaw = word.cutShort ? WordFlaw::tooLong : ask.flawOf(word.text);
  if (flaw == WordFlaw::none) {
    return std::nullopt;
  }
  return ask.refusals.at(static_cast<std::size_t>(flaw));
}

// Asks until the word is one the game reads as typed. A refused word's
// line is dropped, as a file name's is, so nothing of it answers a later
// question.
std::string readAcceptableWord(Console& console, const WordRequest& ask) {
  for (;;) {
    console.out() << ask.request;
    if (ask.line == PromptLine::closed) {
      console.out() << std::endl;
    }
    const Word word = console.readWord(ask.maxChars, ask.line);
    const auto why = refusal(ask, word);
    if (!why) {
      return word.text;
    }
    if (ask.line == PromptLine::open) {
      console.out() << std::endl;
    }
    console.out() << *why << std::endl;
    console.discardLine(kWordLineDiscard);
  }
}

}  // namespace

void setPlayerName(Console& console, Script& script) {
  std::string name;
  do {
    name = readAcceptableWord(console, kNameRequest);
  } while (!console.askYesNo({"Is " + name + " the correct name?\n 1. Yes 2. No"},
                             "Is that the correct player name?"));
  console.out() << "Playername set to " << name << std::endl;
  writeNameStatement(script, name);
  console.printSeparator();
  console.printSeparator();
}

void setNetgraph(Console& console, Script& script) {
  if (console.askYesNo({"Would you like to use netgraph?", "1. yes 2. no"}, "netgraph on/off")) {
    writeNetgraphStatement(script);
  }
}

void setRconPassword(Console& console, Script& script) {
  std::string password;
  do {
    password = readAcceptableWord(console, kPasswordRequest);
    // The answer offer ends with a bare line break, which the prompt's read
    // flushes.
    console.out() << std::endl
                  << "Is " << password << " the correct password?" << std::endl
                  << "1. Yes 2. No\n";
  } while (console.promptChoice(1, 2, "Rcon pass correct") != 1);
  // The server's password must not be readable by every user of the
  // machine; a script that cannot be made private does not get it.
  if (script.restrictToOwner()) {
    writeRconStatement(script, password);
  }
}

}  // namespace bindsmith
