#pragma once

#include <gtest/gtest.h>

#include "support/session.h"

namespace bindsmith::test {

// A fixture for dialogues: each test starts with a fresh scripted console.
class ConsoleTest : public ::testing::Test {
 protected:
  ScriptedConsole io_;
};

// As after a confirmed file name: the script is open and choices unlocked.
void openTestScript();

}  // namespace bindsmith::test
