#pragma once

namespace bindsmith {

// Runs the whole session: shows the menu, dispatches choices, refuses what is
// not allowed yet or any more, and ends on choice 15 or at end of input.
// Closes the script on the way out. Returns the exit status: 0 when the
// player chose 15 or input ended at the menu prompt with every write to the
// script succeeded; 1 when input ended inside a dialogue or a write failed.
int runMainMenu();

}  // namespace bindsmith
