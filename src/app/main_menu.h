#pragma once

#include "config/script.h"
#include "console/prompt.h"

namespace bindsmith {

// Runs the whole session on `console`: shows the menu, dispatches choices,
// refuses what is not allowed yet or any more, and ends on the exit choice
// or at end of input, with `script` finished. Returns the exit status: 0 when the player
// chose to exit or input ended at the menu prompt, with every write to the
// script succeeded; 1 when input ended inside a dialogue or a write failed.
int runMainMenu(Console& console, Script& script);

// The menu's last choice, which ends the run.
int exitChoice();

}  // namespace bindsmith
