#pragma once

// Between the Windows interrupts, whose console control handler cancels a
// read of standard input in progress, and the Windows standard streams,
// which make those reads. Only reads are ever cancelled: the main thread
// marks its reads under a lock that the cancelling also takes, so that the
// script and the console are written and closed undisturbed.
namespace bindsmith {

// Marks a read of standard input as begun; false, and no read may begin,
// once an interrupt has come.
bool beginConsoleRead();

// Marks it as ended. `aborted`: the read was cancelled, or ended by Ctrl-C
// at a console before the handler ran. Returns whether an interrupt came:
// what the read gave then counts for nothing.
bool endConsoleRead(bool aborted);

}  // namespace bindsmith
