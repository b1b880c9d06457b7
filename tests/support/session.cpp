#include "support/session.h"

#include <fstream>
#include <iterator>

#include "app/main_menu.h"

namespace bindsmith::test {

bool endedAtTheMenu(std::string_view console) {
  return console.ends_with(std::string{kMenuPrompt} + "\n") || console.ends_with(kMenuPrompt);
}

ScriptedConsole::ScriptedConsole(std::string_view input, Sink* scriptSink)
    : in_(std::string{input}),
      console_(in_, out_),
      script_(scriptSink != nullptr ? scriptSink : &memory_) {}

Script& ScriptedConsole::openedScript() {
  if (!script_.isOpen()) {
    static_cast<void>(script_.open("test.cfg"));
  }
  return script_;
}

std::string ScriptedConsole::written() {
  script_.flush();
  return memory_.kept();
}

void ScriptedConsole::type(std::string_view input) {
  in_.str(std::string{input});
  in_.clear();
}

std::string ScriptedConsole::unread() {
  in_.clear();
  return readAll(in_);
}

std::string readAll(std::istream& in) {
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return readAll(file);
}

std::size_t occurrences(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

std::string framed(std::string_view message) {
  return std::string{kSeparator} + std::string{message} + "\n" + std::string{kSeparator};
}

SessionResult runSession(std::string_view input, Sink* script) {
  ScriptedConsole io(input, script);
  const int status = runMainMenu(io.console(), io.script());
  return {status, io.shown(), io.written()};
}

}  // namespace bindsmith::test
