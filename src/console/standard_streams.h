#pragma once

#include "console/output_buffer.h"

namespace bindsmith {

// Makes sure the standard descriptors are open (see descriptors.h) and
// starts watching standard output for failed writes.
void openStandardStreams();

// Sends standard output through a buffer that remembers the first failed
// write and its reason (a full disk, a closed descriptor, a reader that has
// gone), writing to `sink`, which tests replace.
void watchStandardOutput(Sink& sink);

// Flushes standard output and stops watching it. If any write to it failed,
// says so in one line on standard error and turns a successful status into
// 1; otherwise returns the status unchanged. Call it after the script is
// closed, so the complaint can never land in the script.
int finishStandardOutput(int status);

}  // namespace bindsmith
