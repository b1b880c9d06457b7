#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>

namespace bindsmith::test {

// While alive, std::cin reads the given text, std::cout and the script are
// captured in memory, and the run state is fresh; the real streams come back
// afterwards.
class ScriptedConsole {
 public:
  explicit ScriptedConsole(std::string_view input = {});
  ~ScriptedConsole();
  ScriptedConsole(const ScriptedConsole&) = delete;
  ScriptedConsole& operator=(const ScriptedConsole&) = delete;

  void type(std::string_view input);
  [[nodiscard]] std::string console() const { return out_.str(); }
  [[nodiscard]] std::string script() const { return script_.str(); }

 private:
  std::istringstream in_;
  std::ostringstream out_;
  std::stringbuf script_{std::ios::out};
  std::streambuf* savedIn_;
  std::streambuf* savedOut_;
};

// A fixture for dialogues: each test starts with a fresh scripted console.
class ConsoleTest : public ::testing::Test {
 protected:
  ScriptedConsole io_;
};

// What the code under test left unread on std::cin.
std::string unreadInput();

// As after a confirmed file name: the script is open and choices unlocked.
void openTestScript();

struct SessionResult {
  int status;
  std::string console;
  std::string script;
};

// Runs a whole session in this process on the given input, with the script
// kept in memory.
SessionResult runSession(std::string_view input);

}  // namespace bindsmith::test
