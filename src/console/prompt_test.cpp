#include "console/prompt.h"

#include <gtest/gtest.h>

#include <ios>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include "support/fixture.h"

namespace bindsmith {
namespace {

using test::ConsoleFixture;
using test::repeated;

constexpr std::string_view kPrompt12 = "Enter a Test choice, 1-2 ";
constexpr std::string_view kNotInteger = "Bad input detected, enter an integer\n";
constexpr std::string_view kOutOf12 = "Bad input detected, enter a number between 1 and 2\n";

class PromptChoiceTest : public ConsoleFixture {};

TEST_F(PromptChoiceTest, AcceptsAnswerAndLeavesRestOfLine) {
  io_.type("2\nnext");
  EXPECT_EQ(io_.console().promptChoice(1, 2, "Test"), 2);
  EXPECT_EQ(io_.shown(), kPrompt12);
  EXPECT_EQ(io_.unread(), "\nnext");
}

TEST_F(PromptChoiceTest, RefusesTextAndDropsItsLine) {
  io_.type("abc def\n1\n");
  EXPECT_EQ(io_.console().promptChoice(1, 2, "Test"), 1);
  EXPECT_EQ(io_.shown(),
            std::string{kPrompt12} + std::string{kNotInteger} + std::string{kPrompt12});
  EXPECT_EQ(io_.unread(), "\n");
}

TEST_F(PromptChoiceTest, OutOfRangeKeepsRestOfLine) {
  io_.type("3 1\n");
  EXPECT_EQ(io_.console().promptChoice(1, 2, "Test"), 1);
  EXPECT_EQ(io_.shown(), std::string{kPrompt12} + std::string{kOutOf12} + std::string{kPrompt12});
  EXPECT_EQ(io_.unread(), "\n");
}

TEST_F(PromptChoiceTest, NumberFollowedByTextLeavesTheText) {
  io_.type("12abc\n");
  EXPECT_EQ(io_.console().promptChoice(1, 15, "Main Menu"), 12);
  EXPECT_EQ(io_.unread(), "abc\n");
}

TEST_F(PromptChoiceTest, BlankLinesAreNoAnswer) {
  io_.type("\n   \n\t\n2\n");
  EXPECT_EQ(io_.console().promptChoice(1, 2, "Test"), 2);
  EXPECT_EQ(io_.shown(), kPrompt12);
}

TEST_F(PromptChoiceTest, RangeChecks) {
  struct Sample {
    const char* input;
    int low;
    int high;
    int expected;
    int refusals;
  };
  const std::vector<Sample> samples{
      {"0\n", 0, 6, 0, 0},
      {"6\n", 0, 6, 6, 0},
      {"-1 3\n", 0, 6, 3, 1},
      {"7 0\n", 0, 6, 0, 1},
      {"+2\n", 1, 2, 2, 0},
      {"-2 2\n", 1, 2, 2, 1},
      {"010\n", 1, 15, 10, 0},
      {"99999999999 1\n", 1, 2, 1, 1},
      {"-99999999999 1\n", 1, 2, 1, 1},
      {"2147483647 1\n", 1, 2, 1, 1},
      {"4294967297 1\n", 1, 2, 1, 1},
  };
  for (const auto& sample : samples) {
    SCOPED_TRACE(sample.input);
    io_.type(sample.input);
    const auto before = io_.shown().size();
    EXPECT_EQ(io_.console().promptChoice(sample.low, sample.high, "Test"), sample.expected);
    const std::string range = "Bad input detected, enter a number between " +
                              std::to_string(sample.low) + " and " + std::to_string(sample.high) +
                              "\n";
    const std::string shown = io_.shown().substr(before);
    EXPECT_EQ(test::occurrences(shown, range), sample.refusals);
    EXPECT_EQ(shown.find("enter an integer"), std::string::npos);
  }
}

TEST_F(PromptChoiceTest, HexPrefixReadsZeroAndLeavesTheRest) {
  io_.type("0x10\n");
  EXPECT_EQ(io_.console().promptChoice(0, 6, "Test"), 0);
  EXPECT_EQ(io_.unread(), "x10\n");
}

TEST_F(PromptChoiceTest, LabelIsPrintedUnchanged) {
  io_.type("1\n");
  io_.console().promptChoice(1, 4, "Pistol choice");
  io_.type("1\n");
  io_.console().promptChoice(1, 2, "Is that the correct player name?");
  EXPECT_EQ(io_.shown(),
            "Enter a Pistol choice choice, 1-4 "
            "Enter a Is that the correct player name? choice, 1-2 ");
}

TEST_F(PromptChoiceTest, BadLineIsDroppedUpTo999Characters) {
  // The 999 characters are the letters; the digit after them is the answer.
  io_.type(repeated("x", 999) + "2\n1\n");
  EXPECT_EQ(io_.console().promptChoice(1, 2, "Test"), 2);
}

TEST_F(PromptChoiceTest, LongBadLineIsDroppedIn999CharacterSteps) {
  io_.type(repeated("x", 1500) + "\n1\n");
  EXPECT_EQ(io_.console().promptChoice(1, 2, "Test"), 1);
  EXPECT_EQ(io_.shown(), std::string{kPrompt12} + std::string{kNotInteger} +
                             std::string{kPrompt12} + std::string{kNotInteger} +
                             std::string{kPrompt12});
}

TEST_F(PromptChoiceTest, EndOfInputEndsThePromptLineAndThrows) {
  for (const char* input : {"", "\n  \n", "-", "+", "  -"}) {
    SCOPED_TRACE(::testing::PrintToString(input));
    io_.type(input);
    const auto before = io_.shown().size();
    EXPECT_THROW(io_.console().promptChoice(1, 2, "Test"), EndOfInput);
    EXPECT_EQ(io_.shown().substr(before), std::string{kPrompt12} + "\n");
  }
}

TEST_F(PromptChoiceTest, EndOfInputAfterBadInputIsNoLoop) {
  io_.type("abc");
  EXPECT_THROW(io_.console().promptChoice(1, 2, "Test"), EndOfInput);
  EXPECT_EQ(io_.shown(),
            std::string{kPrompt12} + std::string{kNotInteger} + std::string{kPrompt12} + "\n");
  io_.type("9");
  EXPECT_THROW(io_.console().promptChoice(1, 2, "Test"), EndOfInput);
}

// Standard input that fails to read (a directory, an I/O error): the stream
// reports it as bad rather than ended. After a few failures it ends, so a
// prompt that kept asking would show its refusal instead of hanging the test.
class BrokenInput : public std::streambuf {
 protected:
  int_type underflow() override {
    if (failures_ < 3) {
      ++failures_;
      throw std::ios_base::failure("read error");
    }
    return traits_type::eof();
  }

 private:
  int failures_ = 0;
};

TEST(PromptChoice, ReadErrorEndsInputLikeEndOfInput) {
  BrokenInput broken;
  std::istream input(&broken);
  std::ostringstream shown;
  Console console(input, shown);
  EXPECT_THROW(console.promptChoice(1, 2, "Test"), EndOfInput);
  EXPECT_TRUE(input.bad());
  EXPECT_EQ(shown.str(), std::string{kPrompt12} + "\n");
}

TEST_F(PromptChoiceTest, NumberAtVeryEndOfInputIsAnAnswer) {
  io_.type("2");
  EXPECT_EQ(io_.console().promptChoice(1, 2, "Test"), 2);
}

class WordReadTest : public ConsoleFixture {};

TEST_F(WordReadTest, SkipsWhiteSpaceAndLeavesTheRest) {
  io_.type(" \n\t alpha beta\n");
  const Word word = io_.console().readWord(299, PromptLine::closed);
  EXPECT_EQ(word.text, "alpha");
  EXPECT_FALSE(word.cutShort);
  EXPECT_EQ(io_.unread(), " beta\n");
}

TEST_F(WordReadTest, LongWordLeavesItsExcess) {
  io_.type(repeated("p", 60) + "\n");
  const Word word = io_.console().readWord(59, PromptLine::open);
  EXPECT_EQ(word.text, repeated("p", 59));
  EXPECT_TRUE(word.cutShort);
  EXPECT_EQ(io_.unread(), "p\n");
  // Exactly as long as the storage: whole.
  io_.type(repeated("p", 59) + "\n");
  EXPECT_FALSE(io_.console().readWord(59, PromptLine::open).cutShort);
}

TEST_F(WordReadTest, KeepsQuotesAndHighBytes) {
  io_.type("na\"me;\xE9\xFF x");
  EXPECT_EQ(io_.console().readWord(299, PromptLine::closed).text, "na\"me;\xE9\xFF");
}

TEST_F(WordReadTest, EndOfInputEndsOnlyAnOpenLine) {
  io_.type(" \n ");
  EXPECT_THROW(io_.console().readWord(299, PromptLine::closed), EndOfInput);
  EXPECT_EQ(io_.shown(), "");
  io_.type("");
  EXPECT_THROW(io_.console().readWord(59, PromptLine::open), EndOfInput);
  EXPECT_EQ(io_.shown(), "\n");
}

TEST_F(WordReadTest, WordAtVeryEndOfInputIsRead) {
  io_.type("last");
  const Word word = io_.console().readWord(299, PromptLine::closed);
  EXPECT_EQ(word.text, "last");
  EXPECT_FALSE(word.cutShort);
}

class KeyReadTest : public ConsoleFixture {};

TEST_F(KeyReadTest, SkipsExactlyTheSixWhiteSpaceBytes) {
  io_.type(" \t\n\v\f\r\n  kx\n");
  EXPECT_EQ(io_.console().readKey(), 'k');
  EXPECT_EQ(io_.unread(), "x\n");
  for (const char key : {';', '"', '\x01', '\x7F', '\x80', '\xA0', '\xFF'}) {
    io_.type(std::string{" "} + key);
    EXPECT_EQ(io_.console().readKey(), key);
  }
}

TEST_F(KeyReadTest, EndOfInputEndsTheKeyPromptLine) {
  io_.type("\n\n  ");
  EXPECT_THROW(io_.console().readKey(), EndOfInput);
  EXPECT_EQ(io_.shown(), "\n");
}

TEST(WhiteSpace, IsExactlyTheSixBytes) {
  int count = 0;
  for (int byte = 0; byte < 256; ++byte) {
    count += isWhiteSpace(static_cast<char>(byte)) ? 1 : 0;
  }
  EXPECT_EQ(count, 6);
  for (const char c : {' ', '\t', '\n', '\v', '\f', '\r'}) {
    EXPECT_TRUE(isWhiteSpace(c));
  }
}

class DiscardLineTest : public ConsoleFixture {};

TEST_F(DiscardLineTest, StopsAfterTheLineBreakOrTheLimit) {
  io_.type("abc\ndef\n");
  io_.console().discardLine(99);
  EXPECT_EQ(io_.unread(), "def\n");
  io_.type(repeated("y", 120) + "\nz");
  io_.console().discardLine(99);
  EXPECT_EQ(io_.unread(), repeated("y", 21) + "\nz");
  io_.type("no line break");
  io_.console().discardLine(9999);
  EXPECT_EQ(io_.unread(), "");
}

}  // namespace
}  // namespace bindsmith
