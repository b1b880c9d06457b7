#pragma once

#include <cstddef>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>

#include "platform/result.h"
#include "platform/unmovable.h"

// The buffer behind standard output and the script: text is held until a
// flush (every line break flushes, and so does every read of standard input)
// and then handed to a sink, which writes it with as many calls as the
// system needs. A flush that fails part-way is taken back from the sink, so
// that what it keeps is always whole flushes. A failure is kept with the
// reason the failing call gave, by the first thing that looks at it, not
// several stream layers later.
namespace bindsmith {

// Where a buffer's bytes go: a file descriptor, or in tests a stand-in that
// fails on purpose.
class Sink : Unmovable {
 public:
  Sink() = default;
  virtual ~Sink() = default;

  // Writes the start of `text` (never empty): one system call's worth.
  virtual WriteResult write(std::string_view text) = 0;
  // Ends the destination.
  virtual Result<void> close() { return {}; }
  // Makes what is stored readable and writable by its owner alone, before a
  // secret is written. Nothing to do for a destination that stores nothing
  // others could read.
  virtual Result<void> restrictToOwner() { return {}; }
  // Before a flush's first write: remembers where the destination ends now.
  virtual void mark() {}
  // After a write of the flush failed: takes away what the flush's earlier
  // writes stored, so that a destination that keeps text keeps only whole
  // flushes. Nothing to do for one that keeps nothing.
  virtual void returnToMark() {}
};

// Never fails a stream operation: a failed write is recorded here, the
// text dropped and the run goes on, so a full disk or a vanished console
// never changes what the dialogue does.
class OutputBuffer : public std::streambuf {
 public:
  // From now on text goes to `sink`; nullptr drops it. What is held stays
  // held, as do holds and the recorded failure.
  void sendTo(Sink* sink) { sink_ = sink; }
  [[nodiscard]] Sink* sink() const { return sink_; }

  // While at least one hold is on, flushes wait: the text reaches the sink
  // in one piece at the first flush after the last hold is off.
  void hold() { ++holds_; }
  void release() { --holds_; }

  // The first failure.
  [[nodiscard]] const std::optional<Failure>& failure() const { return failure_; }
  void recordFailure(const Failure& failure);

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char_type* text, std::streamsize count) override;
  int sync() override;

 private:
  void drain();
  // Writes `rest` to the sink, in as many calls as it takes.
  void send(std::string_view rest);

  Sink* sink_ = nullptr;
  std::string pending_;
  int holds_ = 0;
  std::optional<Failure> failure_;
};

}  // namespace bindsmith
