#include "app/standard_streams.h"
#include "shell/main_menu.h"

int main() {
  bindsmith::watchStandardOutput();
  return bindsmith::finishStandardOutput(bindsmith::runMainMenu());
}
