#pragma once

namespace bindsmith {

// Starts watching standard output for failed writes (a full disk, a closed
// descriptor), remembering the first failure's reason.
void watchStandardOutput();

// Flushes standard output and stops watching it. If any write to it failed,
// says so in one line on standard error and turns a successful status into
// 1; otherwise returns the status unchanged. Call it after the script is
// closed, so the complaint can never land in the script.
int finishStandardOutput(int status);

}  // namespace bindsmith
