#include <cstddef>
#include <span>

#include "app/command_line.h"
#include "app/main_menu.h"
#include "console/interrupts.h"
#include "console/standard_streams.h"

int main(int argc, char* argv[]) {
  bindsmith::openStandardStreams();
  bindsmith::catchInterrupts();
  const auto answered =
      bindsmith::answerCommandLine(std::span(argv, static_cast<std::size_t>(argc)));
  const int status = answered ? *answered : bindsmith::runMainMenu();
  return bindsmith::endByInterrupt(bindsmith::finishStandardOutput(status));
}
