#include "console/standard_streams.h"

#include <iostream>
#include <streambuf>
#include <system_error>

#include "console/descriptors.h"
#include "console/interrupts.h"

namespace bindsmith {

namespace {

// Standard output may be a pipe or a terminal whose reader has stopped
// reading: a write that finds no room waits for it with the interrupts let
// in, and once the run is ending by an interrupt, text that nobody takes is
// given up.
class ConsoleSink : public Sink {
 public:
  // Looked up once: a file or /dev/null never waits, and a description of
  // standard output's own never waits but says so, so only a write that
  // finds no room pays for waiting.
  void findOutHowWritesWait() {
    const int own = canWait(kStandardOutput) ? openPrivately(kStandardOutput, true) : -1;
    descriptor_ = own >= 0 ? own : kStandardOutput;
    waitFirst_ = own < 0 && canWait(kStandardOutput);
  }

  WriteResult write(std::string_view text) override {
    for (;;) {
      if (waitFirst_ && !waitToWrite(descriptor_)) {
        return WriteResult::givenUp();
      }
      const WriteResult result = writeSome(descriptor_, text.substr(0, kAtomicWrite));
      if (result.kind != WriteResult::Kind::failed || !wouldWait(result.error)) {
        return result;
      }
      if (!waitFirst_ && !waitToWrite(descriptor_)) {
        return WriteResult::givenUp();
      }
    }
  }

 private:
  // What a pipe with room takes whole (PIPE_BUF), so that one that has room
  // never takes part of it, and one that must wait never waits long.
  static constexpr std::size_t kAtomicWrite = 4096;
  int descriptor_ = kStandardOutput;
  bool waitFirst_ = true;
};

ConsoleSink console;
OutputBuffer watchedOutput;
std::streambuf* originalOutput = nullptr;

}  // namespace

void openStandardStreams() {
  openStandardDescriptors();
  console.findOutHowWritesWait();
  watchStandardOutput(console);
}

void watchStandardOutput(Sink& sink) {
  watchedOutput.sendTo(&sink);
  originalOutput = std::cout.rdbuf(&watchedOutput);
}

int finishStandardOutput(int status) {
  std::cout.flush();
  // Standard output is flushed once more at exit, after this file's objects
  // are gone; give it back its own buffer.
  std::cout.rdbuf(originalOutput);
  watchedOutput.sendTo(nullptr);
  const auto failure = watchedOutput.failure();
  watchedOutput.forgetFailure();
  if (!failure) {
    return status;
  }
  std::cerr << "bindsmith: cannot write to standard output: "
            << std::generic_category().message(*failure) << std::endl;
  return status == 0 ? 1 : status;
}

}  // namespace bindsmith
