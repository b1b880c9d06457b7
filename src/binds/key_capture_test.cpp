#include "binds/key_capture.h"

#include <gtest/gtest.h>

#include <string>

#include "console/prompt.h"
#include "support/fixture.h"

namespace bindsmith {
namespace {

using test::repeated;
using test::unreadInput;

std::string keyDialogue(std::string_view label, char key) {
  return "Please enter the key you wish to bind " + std::string{label} +
         " to: " + std::string(1, key) +
         " is that the correct key?\n1. Yes 2. No\nEnter a key conformation choice, 1-2 ";
}

constexpr std::string_view kTaken = "That key has all ready been used please choose another\n";

class CaptureBindKeyTest : public test::ConsoleFixture {
 protected:
  UsedKeys usedKeys_{};
};

TEST_F(CaptureBindKeyTest, TakesTheFirstNonBlankAndDropsTheRestOfItsLine) {
  io_.type("\n \t\n\n \tkx yz\n1\nnext");
  EXPECT_EQ(captureBindKey("AK-47", usedKeys_), 'k');
  EXPECT_EQ(io_.console(), keyDialogue("AK-47", 'k'));
  EXPECT_EQ(unreadInput(), "\nnext");
  EXPECT_TRUE(usedKeys_['k']);
}

TEST_F(CaptureBindKeyTest, DropsWhatFollowedThePreviousAnswer) {
  io_.type("4 k\nj\n1\n");
  EXPECT_EQ(promptChoice(1, 4, "Pistol choice"), 4);
  EXPECT_EQ(captureBindKey("SIS P228", usedKeys_), 'j');
}

TEST_F(CaptureBindKeyTest, DiscardLimits) {
  // 99 characters of the previous line are dropped; the key comes from the rest.
  io_.type(std::string(99, 'x') + "yz\n1\n");
  EXPECT_EQ(captureBindKey("FN P90", usedKeys_), 'y');
  EXPECT_EQ(unreadInput(), "\n");
  // Up to 9999 characters after the key are dropped: here all but the line
  // break, which the confirmation skips...
  io_.type("\nk" + std::string(9999, 'x') + "\n1\n");
  auto before = io_.console().size();
  EXPECT_EQ(captureBindKey("FN P90", usedKeys_), 'k');
  EXPECT_EQ(io_.console().find("Bad input", before), std::string::npos);
  EXPECT_EQ(unreadInput(), "\n");
  // ...and the confirmation reads anything beyond them.
  io_.type("\nm" + std::string(10000, 'x') + "\n1\n");
  before = io_.console().size();
  EXPECT_EQ(captureBindKey("FN P90", usedKeys_), 'm');
  EXPECT_NE(io_.console().find("Bad input detected, enter an integer", before), std::string::npos);
}

TEST_F(CaptureBindKeyTest, TakenKeyIsRefusedOnlyWhenConfirmed) {
  usedKeys_['k'] = true;
  io_.type("\nk\n2\nk\n1\nj\n1\n");
  EXPECT_EQ(captureBindKey("Quick knife", usedKeys_), 'j');
  EXPECT_EQ(io_.console(), keyDialogue("Quick knife", 'k') + keyDialogue("Quick knife", 'k') +
                               std::string{kTaken} + keyDialogue("Quick knife", 'j'));
}

TEST_F(CaptureBindKeyTest, DeclinedKeyStaysFree) {
  io_.type("\nk\n2\nk\n1\n");
  EXPECT_EQ(captureBindKey("AK-47", usedKeys_), 'k');
  EXPECT_EQ(io_.console(), keyDialogue("AK-47", 'k') + keyDialogue("AK-47", 'k'));
}

TEST_F(CaptureBindKeyTest, KeysAreBytesAndCaseSensitive) {
  io_.type("\na\n1\nA\n1\n!\n1\n;\n1\n~\n1\n");
  for (const char key : {'a', 'A', '!', ';', '~'}) {
    EXPECT_EQ(captureBindKey("AK-47", usedKeys_), key);
  }
  EXPECT_TRUE(usedKeys_['A']);
  EXPECT_FALSE(usedKeys_['b']);
}

// What an arrow or a function key sends (Esc first), Ctrl plus a letter,
// Delete, a double quote, and a byte from 128 on (o-umlaut and e-acute in
// UTF-8, which share their first byte; a lone 0x94): refused unechoed, and
// asked for again at once, the key's line, with the rest of a character
// of several bytes, being gone already.
TEST_F(CaptureBindKeyTest, KeysTheGameCannotBindAreRefusedAtOnce) {
  io_.type("\n\x1B[A\n\"\n\x7F\n\x01x\n\x1Fy\n\xC3\xB6\n\xC3\xA9\n\x94\nk\n1\n");
  EXPECT_EQ(captureBindKey("AK-47", usedKeys_), 'k');
  const std::string refused =
      "Please enter the key you wish to bind AK-47 to: That key can not be bound please choose "
      "another\n";
  EXPECT_EQ(io_.console(), repeated(refused, 8) + keyDialogue("AK-47", 'k'));
  for (const unsigned char key : {0x1BU, 0x22U, 0x7FU, 0x01U, 0x1FU, 0xC3U, 0x94U}) {
    EXPECT_FALSE(usedKeys_.at(key)) << int{key};
  }
}

TEST_F(CaptureBindKeyTest, NoFreeKeyEndsAtOnce) {
  for (int byte = 0; byte < 256; ++byte) {
    usedKeys_.at(static_cast<std::size_t>(byte)) = !isWhiteSpace(static_cast<char>(byte));
  }
  io_.type("rest\nk\n1\n");
  EXPECT_FALSE(captureBindKey("AK-47", usedKeys_).has_value());
  EXPECT_EQ(io_.console(), "All keys are already bound\n");
  EXPECT_EQ(unreadInput(), "k\n1\n");
}

TEST_F(CaptureBindKeyTest, EndOfInputReservesNothing) {
  for (const char* input : {"\n", "\nk\n", "\nk\n2\n"}) {
    io_.type(input);
    EXPECT_THROW(captureBindKey("AK-47", usedKeys_), EndOfInput);
    EXPECT_FALSE(usedKeys_['k']);
  }
}

}  // namespace
}  // namespace bindsmith
