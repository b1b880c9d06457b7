#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/unmovable.h"
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

// A new empty folder of its own under the system's temporary folder, for one
// test or one run of the program, removed with all it holds when it goes.
// Two alive at once, in one process or in two, never share a folder.
class TemporaryFolder : Unmovable {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  [[nodiscard]] std::filesystem::path operator/(const std::filesystem::path& name) const {
    return path_ / name;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace bindsmith::test
