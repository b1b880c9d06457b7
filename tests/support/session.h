#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>

#include "config/script.h"
#include "platform/unmovable.h"
#include "support/sinks.h"

// Whole sessions in this process, with the console and the script in memory,
// and what tests read back. Used by the unit tests and the fuzzer; needs no
// test framework.
namespace bindsmith::test {

// The main menu's prompt, and what a run that ended there shows last.
inline constexpr std::string_view kMenuPrompt = "Enter a Main Menu choice, 1-15 ";
bool endedAtTheMenu(std::string_view console);

// While alive, std::cin reads the given text and std::cout is captured in
// memory; the real streams come back afterwards. Its script writes to
// memory, or to the sink given.
class ScriptedConsole : Unmovable {
 public:
  explicit ScriptedConsole(std::string_view input = {}, Sink* scriptSink = nullptr);
  ~ScriptedConsole();

  void type(std::string_view input);
  [[nodiscard]] std::string console() const { return out_.str(); }

  // The run's script, as a new run has it: not yet named.
  [[nodiscard]] Script& script() { return script_; }
  // The script as after a confirmed file name: open, as "test.cfg".
  Script& openedScript();
  // What reached the script's memory. Text written outside any statement
  // group (a dialogue tested on its own) is sent on first; a group still
  // open is not.
  [[nodiscard]] std::string written();

 private:
  std::istringstream in_;
  std::ostringstream out_;
  MemorySink memory_;
  Script script_;
  std::streambuf* savedIn_;
  std::streambuf* savedOut_;
};

// What the code under test left unread on std::cin.
std::string unreadInput();

// Everything `in` holds from where it stands to its end; a file's bytes, all
// of them (empty if there is no such file); how many times `part` stands in
// `text`, overlapping ones counted too.
std::string readAll(std::istream& in);
std::string readFile(const std::filesystem::path& path);
std::size_t occurrences(std::string_view text, std::string_view part);

struct SessionResult {
  int status;
  std::string console;
  std::string script;
};

// Runs a whole session on the given input. The script is kept in memory, or
// written to `script` when given (the result's script is then empty).
SessionResult runSession(std::string_view input, Sink* script = nullptr);

}  // namespace bindsmith::test
