#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/session.h"

namespace bindsmith::test {

// A fixture for dialogues: each test starts with a fresh scripted console.
class ConsoleTest : public ::testing::Test {
 protected:
  ScriptedConsole io_;
};

// As after a confirmed file name: the script is open and choices unlocked.
void openTestScript();

// `text` written `count` times over.
std::string repeated(std::string_view text, int count);

}  // namespace bindsmith::test
