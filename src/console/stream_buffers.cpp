#include "console/stream_buffers.h"

#include <iostream>

#include "platform/standard_streams.h"

namespace bindsmith {

WatchedOutput::WatchedOutput(std::ostream& stream, Sink& sink)
    : stream_(stream), own_(stream.rdbuf(&buffer_)) {
  buffer_.sendTo(&sink);
}

WatchedOutput::~WatchedOutput() {
  stream_.rdbuf(own_);
}

int WatchedOutput::finish(int status) {
  stream_.flush();
  const auto& failure = buffer_.failure();
  if (!failure) {
    return status;
  }
  std::cerr << "bindsmith: cannot write to standard output: " << failure->reason() << std::endl;
  return status == 0 ? 1 : status;
}

std::ptrdiff_t StandardStreams::Input::fill(std::span<char> block) {
  const Result<std::size_t> read = readStandardInput(block);
  // An error, such as a folder on standard input, ends the input too.
  return read.ok() ? static_cast<std::ptrdiff_t>(read.value()) : 0;
}

WriteResult StandardStreams::Console::write(std::string_view text) {
  return writeStandardOutput(text);
}

StandardStreams::StandardStreams()
    : setUp_(openStandardStreams()),
      output_(std::cout, console_),
      ownInput_(std::cin.rdbuf(&input_)) {}

StandardStreams::~StandardStreams() {
  std::cin.rdbuf(ownInput_);
}

}  // namespace bindsmith
