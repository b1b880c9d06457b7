#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/session.h"

namespace bindsmith::test {

// A fixture for dialogues: each test starts with a fresh scripted console
// and a fresh, unnamed script.
class ConsoleFixture : public ::testing::Test {
 protected:
  ScriptedConsole io_;
};

// `text` written `count` times over.
std::string repeated(std::string_view text, int count);

}  // namespace bindsmith::test
