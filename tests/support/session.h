#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <sstream>
#include <string>
#include <string_view>

#include "config/script.h"
#include "console/prompt.h"
#include "platform/unmovable.h"
#include "support/sinks.h"

// Whole sessions in this process, with the console and the script in memory,
// and what tests read back. Used by the unit tests and the fuzzer; needs no
// test framework.
namespace bindsmith::test {

// The main menu's prompt, and what a run that ended there shows last.
inline constexpr std::string_view kMenuPrompt = "Enter a Main Menu choice, 1-15 ";
bool endedAtTheMenu(std::string_view console);

// A console that reads the given text and shows in memory, and a script
// that writes to memory, or to the sink given.
class ScriptedConsole : Unmovable {
 public:
  explicit ScriptedConsole(std::string_view input = {}, Sink* scriptSink = nullptr);

  // Replaces what is left to read.
  void type(std::string_view input);
  // What the code under test left unread.
  [[nodiscard]] std::string unread();

  [[nodiscard]] Console& console() { return console_; }
  // What the console showed.
  [[nodiscard]] std::string shown() const { return out_.str(); }

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
  Console console_;
  MemorySink memory_;
  Script script_;
};

// Everything `in` holds from where it stands to its end; a file's bytes, all
// of them (empty if there is no such file); how many times `part` stands in
// `text`, overlapping ones counted too.
std::string readAll(std::istream& in);
std::string readFile(const std::filesystem::path& path);
std::size_t occurrences(std::string_view text, std::string_view part);

// The console's separator block: a line break, 55 stars and an empty line;
// and `message` framed as every refusal and error report shows it.
inline constexpr std::string_view kSeparator =
    "\n*******************************************************\n\n";
std::string framed(std::string_view message);

struct SessionResult {
  int status;
  std::string console;
  std::string script;
};

// Runs a whole session on the given input. The script is kept in memory, or
// written to `script` when given (the result's script is then empty).
SessionResult runSession(std::string_view input, Sink* script = nullptr);

}  // namespace bindsmith::test
