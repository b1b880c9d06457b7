#pragma once

#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>

#include "support/sinks.h"

// Whole sessions in this process, with the console and the script in memory.
// Used by the unit tests and the fuzzer; needs no test framework.
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
  ScriptedConsole(ScriptedConsole&&) = delete;
  ScriptedConsole& operator=(ScriptedConsole&&) = delete;

  void type(std::string_view input);
  [[nodiscard]] std::string console() const { return out_.str(); }
  // What reached the script. Text written outside any statement group (a
  // dialogue tested on its own) is sent on first; a group still open is not.
  [[nodiscard]] std::string script() const;
  // Sends the script to another sink, one that fails on purpose say.
  static void scriptTo(Sink& sink);

 private:
  std::istringstream in_;
  std::ostringstream out_;
  MemorySink script_;
  std::streambuf* savedIn_;
  std::streambuf* savedOut_;
};

// What the code under test left unread on std::cin.
std::string unreadInput();

struct SessionResult {
  int status;
  std::string console;
  std::string script;
};

// Runs a whole session on the given input. The script is kept in memory, or
// written to `script` when given (the result's script is then empty).
SessionResult runSession(std::string_view input, Sink* script = nullptr);

}  // namespace bindsmith::test
