#include "shell/main_menu.h"

int main() {
  return bindsmith::runMainMenu();
}
