#include "app/main_menu.h"
#include "console/interrupts.h"
#include "console/standard_streams.h"

int main() {
  bindsmith::catchInterrupts();
  bindsmith::watchStandardOutput();
  return bindsmith::endByInterrupt(bindsmith::finishStandardOutput(bindsmith::runMainMenu()));
}
