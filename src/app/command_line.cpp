#include "app/command_line.h"

#include <cstddef>
#include <iostream>
#include <string_view>

#include "console/interrupts.h"

namespace bindsmith {

namespace {

// The exit statuses line breaks where the platform's own part begins.
constexpr std::string_view kUsageHead =
    "Usage: bindsmith [-h | --help | --version]\n"
    "Writes a game config script of key binds, asking numbered questions on\n"
    "standard input. The script is created in the current directory under the\n"
    "name you give plus \".cfg\". Any other argument is ignored.\n"
    "\n"
    "Exit status: 0 when you choose 15 or input ends at the main menu; 1 when\n"
    "input ends inside a question or a write fails; ";
constexpr std::string_view kUsageTail =
    ", after the script was closed.\n"
    "\n"
    "See bindsmith(1).";

constexpr std::string_view kVersion =
    "bindsmith " BINDSMITH_VERSION
    "\n"
    "Copyright (c) 2026 the bindsmith authors\n"
    "License: MIT <https://opensource.org/license/mit>\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.";

}  // namespace

std::optional<int> answerCommandLine(std::span<char* const> arguments) {
  // The first is the program's own name, whatever it reads like (and a
  // program started with no arguments at all has not even that).
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      std::cout << kUsageHead << interruptedStatuses() << kUsageTail << std::endl;
      return 0;
    }
    if (argument == "--version") {
      std::cout << kVersion << std::endl;
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace bindsmith
