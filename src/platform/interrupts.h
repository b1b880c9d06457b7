#pragma once

#include "platform/result.h"
#include "platform/unmovable.h"

// Ctrl-C, a polite kill (SIGTERM) and a terminal that goes away (SIGHUP), or
// on Windows Ctrl-C, Ctrl-Break and closing the console window, end the run
// the way the end of input does: the reads report the end, the dialogues
// unwind, the open alias is finished and the script closed. Only then does
// the process end by the interrupt itself, so the shell sees what happened.
// In a web page, Ctrl-C in the page's terminal is the one interrupt.
// Each platform's implementation is a file of its own behind this header.
namespace bindsmith {

// While one lives, the interrupts are caught; there is one at a time. One
// that was ignored when the program started (a background job) stays
// ignored, and one that was blocked is let in. A write to a standard output
// whose reader has gone then fails like any other write instead of ending
// the process.
class InterruptCatcher : Unmovable {
 public:
  InterruptCatcher();
  // Gives back what catching changed, and forgets an interrupt that came.
  ~InterruptCatcher();

  // How setting up went. Should it fail, the program goes on, and an
  // interrupt ends it at once, as it ends any program.
  [[nodiscard]] const Result<void>& setUp() const { return setUp_; }

 private:
  Result<void> setUp_;
};

// Whether an interrupt has come. Every read asks first, so one that came
// while the program was busy, with answers already typed, ends input at the
// next read.
bool interrupted();

// If an interrupt came, ends the process as that interrupt's default action
// would (a shell then sees 130, 143 or 129); otherwise returns `status`.
// In a web page it always ends the run, with `status` or with 130 for
// Ctrl-C: a main that has waited for the page's input returns to no one.
int endByInterrupt(int status);

}  // namespace bindsmith
