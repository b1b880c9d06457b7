#pragma once

// Between the POSIX interrupts, which are caught, and the POSIX standard
// streams, whose reads and writes wait for whoever is at the other end of a
// pipe or a terminal: such a wait lets the interrupts in.
namespace bindsmith {

// Wait until `descriptor` can be read, or written, without waiting for
// whoever is at its other end, with the interrupts let in meanwhile. False
// when the run is ending by an interrupt and it still cannot: that text
// may then be given up, so that a reader who stopped reading cannot hold
// the end of the run.
bool waitToRead(int descriptor);
bool waitToWrite(int descriptor);

}  // namespace bindsmith
