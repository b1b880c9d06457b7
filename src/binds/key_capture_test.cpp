#include "binds/key_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "console/prompt.h"
#include "support/fixture.h"
#include "support/script_checks.h"

namespace bindsmith {
namespace {

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
  EXPECT_EQ(captureBindKey(io_.console(), "AK-47", usedKeys_), 'k');
  EXPECT_EQ(io_.shown(), keyDialogue("AK-47", 'k'));
  EXPECT_EQ(io_.unread(), "\nnext");
  EXPECT_TRUE(usedKeys_['k']);
}

TEST_F(CaptureBindKeyTest, DropsWhatFollowedThePreviousAnswer) {
  io_.type("4 k\nj\n1\n");
  EXPECT_EQ(io_.console().promptChoice(1, 4, "Pistol choice"), 4);
  EXPECT_EQ(captureBindKey(io_.console(), "SIS P228", usedKeys_), 'j');
}

TEST_F(CaptureBindKeyTest, DiscardLimits) {
  // 99 characters of the previous line are dropped; the key comes from the rest.
  io_.type(std::string(99, 'x') + "yz\n1\n");
  EXPECT_EQ(captureBindKey(io_.console(), "FN P90", usedKeys_), 'y');
  EXPECT_EQ(io_.unread(), "\n");
  // Up to 9999 characters after the key are dropped: here all but the line
  // break, which the confirmation skips...
  io_.type("\nk" + std::string(9999, 'x') + "\n1\n");
  auto before = io_.shown().size();
  EXPECT_EQ(captureBindKey(io_.console(), "FN P90", usedKeys_), 'k');
  EXPECT_EQ(io_.shown().find("Bad input", before), std::string::npos);
  EXPECT_EQ(io_.unread(), "\n");
  // ...and the confirmation reads anything beyond them.
  io_.type("\nm" + std::string(10000, 'x') + "\n1\n");
  before = io_.shown().size();
  EXPECT_EQ(captureBindKey(io_.console(), "FN P90", usedKeys_), 'm');
  EXPECT_NE(io_.shown().find("Bad input detected, enter an integer", before), std::string::npos);
}

// The capital of a taken letter is that taken key.
TEST_F(CaptureBindKeyTest, TakenKeyIsRefusedOnlyWhenConfirmed) {
  usedKeys_['k'] = true;
  io_.type("\nk\n2\nK\n1\nj\n1\n");
  EXPECT_EQ(captureBindKey(io_.console(), "Quick knife", usedKeys_), 'j');
  EXPECT_EQ(io_.shown(), keyDialogue("Quick knife", 'k') + keyDialogue("Quick knife", 'k') +
                             std::string{kTaken} + keyDialogue("Quick knife", 'j'));
}

TEST_F(CaptureBindKeyTest, DeclinedKeyStaysFree) {
  io_.type("\nk\n2\nk\n1\n");
  EXPECT_EQ(captureBindKey(io_.console(), "AK-47", usedKeys_), 'k');
  EXPECT_EQ(io_.shown(), keyDialogue("AK-47", 'k') + keyDialogue("AK-47", 'k'));
}

// A key press reaches the game under the name of what the key types
// without Shift on a US keyboard; a capital letter is the Shift form of its
// letter's key. Every other byte (a Shift symbol, the double quote, the
// backtick, whose key opens the game's console, a control byte, half of a
// UTF-8 letter) binds nothing a player can press: refused unechoed and
// unreserved, and asked for again at once, the key's line being gone.
TEST(CaptureBindKey, EveryByteIsTheKeyAPressProducesOrRefused) {
  const std::string refused =
      "Please enter the key you wish to bind AK-47 to: That key can not be bound please choose "
      "another\n";
  int bindable = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const std::string typed(1, static_cast<char>(byte));
    if (isWhiteSpace(typed[0])) {
      continue;
    }
    SCOPED_TRACE("typed byte " + std::to_string(byte));
    const bool capital = byte >= 'A' && byte <= 'Z';
    const char key = capital ? static_cast<char>(byte - 'A' + 'a') : typed[0];
    const bool binds = test::kKeyNames.find(key) != std::string_view::npos;
    bindable += binds && !capital ? 1 : 0;

    test::ScriptedConsole io;
    UsedKeys usedKeys{};
    // Typed twice: declined, then confirmed; or refused twice.
    std::string input = "\n" + typed;
    input += binds ? "\n2\n" : "\n";
    input += typed;
    input += binds ? "\n1\n" : "x\nk\n1\n";
    io.type(input);
    if (binds) {
      EXPECT_EQ(captureBindKey(io.console(), "AK-47", usedKeys), key);
      EXPECT_EQ(io.shown(), keyDialogue("AK-47", key) + keyDialogue("AK-47", key));
    } else {
      EXPECT_EQ(captureBindKey(io.console(), "AK-47", usedKeys), 'k');
      EXPECT_EQ(io.shown(), refused + refused + keyDialogue("AK-47", 'k'));
    }
    EXPECT_EQ(std::count(usedKeys.begin(), usedKeys.end(), true), 1);
  }
  EXPECT_EQ(bindable, 47);
}

TEST_F(CaptureBindKeyTest, NoFreeKeyEndsAtOnce) {
  for (int byte = 0; byte < 256; ++byte) {
    usedKeys_.at(static_cast<std::size_t>(byte)) = !isWhiteSpace(static_cast<char>(byte));
  }
  io_.type("rest\nk\n1\n");
  EXPECT_FALSE(captureBindKey(io_.console(), "AK-47", usedKeys_).has_value());
  EXPECT_EQ(io_.shown(), "All keys are already bound\n");
  EXPECT_EQ(io_.unread(), "k\n1\n");
}

TEST_F(CaptureBindKeyTest, EndOfInputReservesNothing) {
  for (const char* input : {"\n", "\nk\n", "\nk\n2\n"}) {
    io_.type(input);
    EXPECT_THROW(captureBindKey(io_.console(), "AK-47", usedKeys_), EndOfInput);
    EXPECT_FALSE(usedKeys_['k']);
  }
}

}  // namespace
}  // namespace bindsmith
