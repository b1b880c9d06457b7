#pragma once

#include <iosfwd>
#include <streambuf>

#include "console/block_input.h"
#include "console/output_buffer.h"
#include "platform/result.h"
#include "platform/unmovable.h"

// std::cin and std::cout as the dialogue uses them.
namespace bindsmith {

// Sends `stream` through a buffer that remembers the first failed write and
// its reason (a full disk, a closed descriptor, a reader who has gone),
// writing to `sink`; gives the stream its own buffer back when it ends.
class WatchedOutput : Unmovable {
 public:
  WatchedOutput(std::ostream& stream, Sink& sink);
  ~WatchedOutput();

  // Flushes the stream. If any write to it failed, says so in one line on
  // standard error and turns a successful status into 1; otherwise returns
  // the status unchanged. Call it after the script is closed, so that the
  // complaint can never land in the script.
  int finish(int status);

 private:
  std::ostream& stream_;
  std::streambuf* own_;
  OutputBuffer buffer_;
};

// While one lives, std::cin reads standard input in blocks that an
// interrupt ends, and std::cout is watched for failed writes. There is one,
// made first thing in main: it opens the standard descriptors before any
// other file is opened (platform/standard_streams.h).
class StandardStreams : Unmovable {
 public:
  StandardStreams();
  ~StandardStreams();

  // How opening the standard descriptors went. Should it fail, the program
  // goes on with what it has.
  [[nodiscard]] const Result<void>& setUp() const { return setUp_; }

  // As WatchedOutput::finish, for standard output.
  int finish(int status) { return output_.finish(status); }

 private:
  class Input : public BlockInput {
   protected:
    std::ptrdiff_t fill(std::span<char> block) override;
  };
  class Console : public Sink {
   public:
    WriteResult write(std::string_view text) override;
  };

  Result<void> setUp_;  // first: the descriptors are open before the rest is made
  Console console_;
  WatchedOutput output_;
  Input input_;
  std::streambuf* ownInput_;
};

}  // namespace bindsmith
