#include <cstddef>
#include <iostream>
#include <span>

#include "app/command_line.h"
#include "app/main_menu.h"
#include "config/script.h"
#include "console/prompt.h"
#include "console/stream_buffers.h"
#include "platform/interrupts.h"

int main(int argc, char* argv[]) {
  bindsmith::StandardStreams streams;  // first: no other file may take a standard number
  const bindsmith::InterruptCatcher interrupts;
  bindsmith::warnIfFailed("open the standard streams", streams.setUp());
  bindsmith::warnIfFailed("catch interrupts", interrupts.setUp());
  const auto answered =
      bindsmith::answerCommandLine(std::span(argv, static_cast<std::size_t>(argc)));
  bindsmith::Console console(std::cin, std::cout);
  bindsmith::Script script;
  const int status = answered ? *answered : bindsmith::runMainMenu(console, script);
  return bindsmith::endByInterrupt(streams.finish(status));
}
