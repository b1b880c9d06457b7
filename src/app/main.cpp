#include "app/main_menu.h"
#include "console/standard_streams.h"

int main() {
  bindsmith::watchStandardOutput();
  return bindsmith::finishStandardOutput(bindsmith::runMainMenu());
}
