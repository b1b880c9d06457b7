#include "support/session.h"

#include <iostream>
#include <iterator>

#include "app/main_menu.h"
#include "config/script.h"
#include "state/run_state.h"

namespace bindsmith::test {

ScriptedConsole::ScriptedConsole(std::string_view input)
    : in_(std::string{input}), savedIn_(std::cin.rdbuf()), savedOut_(std::cout.rdbuf()) {
  resetRunState();
  resetScript();
  redirectScript(&script_);
  std::cin.rdbuf(in_.rdbuf());
  std::cout.rdbuf(out_.rdbuf());
  std::cin.clear();
  std::cout.clear();
}

ScriptedConsole::~ScriptedConsole() {
  resetScript();
  redirectScript(nullptr);
  resetRunState();
  std::cin.rdbuf(savedIn_);
  std::cout.rdbuf(savedOut_);
  std::cin.clear();
  std::cout.clear();
}

std::string ScriptedConsole::script() const {
  configFile.flush();
  return script_.kept();
}

void ScriptedConsole::type(std::string_view input) {
  in_.str(std::string{input});
  std::cin.clear();
}

void ScriptedConsole::scriptTo(Sink& sink) {
  redirectScript(&sink);
}

std::string unreadInput() {
  std::cin.clear();
  return {std::istreambuf_iterator<char>(std::cin.rdbuf()), std::istreambuf_iterator<char>()};
}

SessionResult runSession(std::string_view input, Sink* script) {
  const ScriptedConsole io(input);
  if (script != nullptr) {
    ScriptedConsole::scriptTo(*script);
  }
  const int status = runMainMenu();
  return {status, io.console(), io.script()};
}

}  // namespace bindsmith::test
