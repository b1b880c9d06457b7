#pragma once

// Ctrl-C, a polite kill (SIGTERM) and a terminal that goes away (SIGHUP), or
// on Windows Ctrl-C, Ctrl-Break and closing the console window, end the run
// the way the end of input does: the reads report the end, the dialogues
// unwind, the open alias is finished and the script closed. Only then does
// the process end by the interrupt itself, so the shell sees what happened.
// In a web page, Ctrl-C in the page's terminal is the one interrupt.
// One implementation per platform: interrupts_posix.cpp, interrupts_windows.cpp,
// interrupts_web.cpp.
#include <string_view>

namespace bindsmith {

// Starts catching the interrupts; one that was ignored when the program
// started (a background job) stays ignored. A write to a standard output
// whose reader has gone then fails like any other write instead of killing
// the process. std::cin is given a reader of standard input that an
// interrupt ends at once, even in the middle of a blocked read.
void catchInterrupts();

// Whether an interrupt has come. Every read asks first, so one that came
// while the program was busy, with answers already typed ahead, ends input
// at the next read.
bool interrupted();

// Waits until `descriptor` can take a write without waiting for whoever
// reads it, with the interrupts let in meanwhile. Returns false when the
// run is ending by an interrupt and it still cannot: that text may then be
// given up, so that a reader who stopped reading cannot hold the end of the
// run. Always true where writes cannot be interrupted (Windows).
bool waitToWrite(int descriptor);

// If an interrupt came, ends the process as that interrupt's default action
// would (a shell then sees 130, 143 or 129); otherwise returns `status`.
// In a web page it always ends the run, with `status` or with 130 for
// Ctrl-C: a main that has waited for the page's input returns to no one.
int endByInterrupt(int status);

// Stops catching interrupts, forgets one that came and gives std::cin its
// own reader back, so that tests can run several sessions in one process.
// Does nothing unless catchInterrupts was called.
void releaseInterrupts();

// For the usage text: the exit statuses of a run that an interrupt ended,
// as this platform's shells see them, and what sends those interrupts.
std::string_view interruptedStatuses();

}  // namespace bindsmith
