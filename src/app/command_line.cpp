#include "app/command_line.h"

#include <cstddef>
#include <iostream>
#include <string_view>

#include "app/main_menu.h"
#include "platform/about.h"

namespace bindsmith {

namespace {

constexpr std::string_view kVersion =
    "bindsmith " BINDSMITH_VERSION
    "\n"
    "Copyright (c) 2026 the bindsmith authors\n"
    "License: MIT <https://opensource.org/license/mit>\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.";

// The exit statuses' lines break where the platform's own part begins.
void printUsage() {
  std::cout << "Usage: bindsmith [-h | --help | --version]\n"
               "Writes a game config script of key binds, asking numbered questions on\n"
               "standard input. The script is created in the current directory under the\n"
               "name you give plus \".cfg\". An unknown option is named on standard error;\n"
               "any other argument is ignored.\n"
               "\n"
               "Exit status: 0 when you choose "
            << exitChoice()
            << " or input ends at the main menu; 1 when\n"
               "input ends inside a question or a write fails; "
            << about().interruptedStatuses << ", after the script was closed.\n\n"
            << about().guide << std::endl;
}

}  // namespace

std::optional<int> answerCommandLine(std::span<char* const> arguments) {
  // The first is the program's own name, whatever it reads like (and a
  // program started with no arguments at all has not even that).
  const auto options = arguments.size() > 1 ? arguments.subspan(1) : arguments.subspan(0, 0);
  for (const std::string_view argument : options) {
    if (argument == "--help" || argument == "-h") {
      printUsage();
      return 0;
    }
    if (argument == "--version") {
      std::cout << kVersion << std::endl;
      return 0;
    }
  }
  for (const std::string_view argument : options) {
    if (argument.starts_with('-')) {
      std::cerr << "bindsmith: unknown option " << argument << " (see --help)" << std::endl;
    }
  }
  return std::nullopt;
}

void warnIfFailed(std::string_view what, const Result<void>& setUp) {
  if (!setUp.ok()) {
    std::cerr << "bindsmith: cannot " << what << ": " << setUp.failure().reason() << std::endl;
  }
}

}  // namespace bindsmith
