#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "console/output_buffer.h"
#include "console/prompt.h"
#include "platform/unmovable.h"

namespace bindsmith {

// The config script the player names, where every statement goes. Until it
// is opened, what is written to it goes nowhere. Text reaches the disk at
// the end of each line or, inside a StatementGroup, when the group ends; a
// line or group whose write fails part-way (a full disk) is cut off the
// disk again. A failed write is remembered with its reason and reported;
// writing itself never fails, so that the dialogue goes on as if all were
// well.
class Script : Unmovable {
 public:
  // `instead`, when given, takes the text of whatever script is opened, in
  // place of a file: tests and the fuzzer run whole sessions in memory.
  explicit Script(Sink* instead = nullptr);
  ~Script();

  struct Opening {
    // Why the script is not open, as the player is told; nothing once open.
    std::optional<std::string> refusal;
    // The copy's name when an earlier script of that name was kept.
    std::optional<std::string> keptAs;
  };
  // Opens `name` for writing in text mode, creating or emptying it. An
  // earlier script of that name that holds anything is first copied to the
  // name plus ".bak"; if that copy cannot be made whole, the script is
  // neither opened nor emptied.
  [[nodiscard]] Opening open(const std::string& name);
  [[nodiscard]] bool isOpen() const { return buffer_.sink() != nullptr; }

  // Appends pieces; the line stays open.
  template <typename... Pieces>
  void write(const Pieces&... pieces) {
    (stream_ << ... << pieces);
  }

  // Appends pieces and ends the line, which also sends it to the disk
  // unless a statement group is open.
  template <typename... Pieces>
  void writeLine(const Pieces&... pieces) {
    (stream_ << ... << pieces) << std::endl;
  }

  // Sends what is written so far to the disk, unless a statement group is
  // open: a line ending does so anyway.
  void flush() { stream_.flush(); }

  // Makes the open script readable and writable by its owner alone, before
  // a secret goes into it. False if that failed: the failure is then reported
  // as a failed write, and the secret must not be written.
  [[nodiscard]] bool restrictToOwner();

  // Prints "Could not write to NAME: REASON" framed, once per run, if a
  // write to the script has failed.
  void reportWriteFailure(Console& console);

  // Flushes and closes the script at the end of a run, reporting a failure
  // not yet reported. Returns true when every write to the script succeeded
  // (or none was opened).
  [[nodiscard]] bool finish(Console& console);

 private:
  friend class StatementGroup;

  // Flushes what is held and ends the sink.
  Result<void> close();

  // The script on the disk. Only a regular file keeps what is written, and
  // has a mode of its own: a pipe or a device in the script's place is
  // neither cut back nor made private (/dev/null must stay writable by all).
  class File : public Sink {
   public:
    File(int descriptor, bool regular) : descriptor_(descriptor), regular_(regular) {}
    WriteResult write(std::string_view text) override;
    Result<void> close() override;
    Result<void> restrictToOwner() override;
    void mark() override;
    void returnToMark() override;

   private:
    int descriptor_;
    bool regular_;
    std::optional<std::int64_t> mark_;
  };

  Sink* instead_;
  std::optional<File> file_;
  OutputBuffer buffer_;
  std::ostream stream_{&buffer_};
  std::string name_;
  bool failureReported_ = false;
};

// While one is alive, what is written to the script is held back; when it
// ends, however its scope is left, the held text goes to the disk in one
// write. Open one around every statement group (a bind and its alias, a quick
// action's lines), so that whatever ends the process, even a kill that cannot
// be caught, the script on disk holds only whole groups.
class StatementGroup : Unmovable {
 public:
  explicit StatementGroup(Script& script);
  ~StatementGroup();

 private:
  Script& script_;
};

}  // namespace bindsmith
