#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "console/output_buffer.h"

// The config script's plumbing: the stream every statement is written to,
// where its text goes and when, and what became of it. The dialogue that
// names it is config_file.h.
namespace bindsmith {

// The config script. Bound to no file until the player has named one, so a
// write before that goes nowhere. Write to it only through writeScript and
// writeScriptLine. Text reaches the disk at the end of each line, or, inside
// a StatementGroup, when the group ends; a line or group whose write fails
// part-way (a full disk) is cut off the disk again. A failed write is remembered with
// its reason and reported by reportScriptWriteFailure; the stream itself
// never fails.
extern std::ostream configFile;

// While one is alive, what is written to the script is held back; when it
// ends, however its scope is left, the held text goes to the disk in one
// write. Open one around every statement group (a bind and its alias, a quick
// action's lines), so that whatever ends the process, even a kill that cannot
// be caught, the script on disk holds only whole groups.
class StatementGroup {
 public:
  StatementGroup();
  ~StatementGroup();
  StatementGroup(const StatementGroup&) = delete;
  StatementGroup& operator=(const StatementGroup&) = delete;
  StatementGroup(StatementGroup&&) = delete;
  StatementGroup& operator=(StatementGroup&&) = delete;
};

// Opens the script for writing in text mode, creating or emptying it. An
// earlier script of that name that holds anything is first copied to the
// name plus ".bak"; if that copy cannot be made whole, the script is neither
// opened nor emptied.
struct OpenedScript {
  // Why the script is not open, as the player is told; nothing once open.
  std::optional<std::string> failure;
  // The copy's name when an earlier script was kept, else empty.
  std::string keptAs;
};
OpenedScript openScript(const std::string& name);

// From now on, the script that the player names goes to `sink` instead of a
// file; nullptr restores files. Lets tests and the fuzzer run whole sessions
// in memory and inject write failures.
void redirectScript(Sink* sink);

// Appends pieces to the script; the line stays open.
template <typename... Pieces>
void writeScript(const Pieces&... pieces) {
  (configFile << ... << pieces);
}

// Appends pieces and ends the line, which also sends it to the disk unless a
// statement group is open.
template <typename... Pieces>
void writeScriptLine(const Pieces&... pieces) {
  (configFile << ... << pieces) << std::endl;
}

// Makes the open script readable and writable by its owner alone, before a
// secret goes into it. Returns false if that failed; the failure is then reported
// as a failed write, and the secret must not be written.
bool restrictScriptToOwner();

// Prints "Could not write to NAME: REASON" framed, once per run, if a write
// to the script has failed and this has not been said yet.
void reportScriptWriteFailure();

// Flushes and closes the script at the end of a run, reporting a failure not
// yet reported, and leaves the script as at the start of a run. Returns true
// when every write to the script succeeded (or no script was opened).
bool finishScript();

// Closes the script without any report and forgets every failure, as for a
// new run.
void resetScript();

}  // namespace bindsmith
