#include "console/standard_streams.h"

#include <iostream>
#include <streambuf>
#include <system_error>

#include "console/descriptors.h"
#include "console/interrupts.h"

namespace bindsmith {

namespace {

// Standard output may be a pipe or a terminal whose reader has stopped
// reading: the write waits for room with the interrupts let in, and once the
// run is ending by an interrupt, text that nobody takes is given up.
class ConsoleSink : public Sink {
 public:
  // Looked up once: a file or /dev/null needs no wait, which would cost a
  // system call per line.
  void findOutWhetherWritesWait() { writesWait_ = writeCanWait(kStandardOutput); }

  WriteResult write(std::string_view text) override {
    if (writesWait_ && !waitToWrite(kStandardOutput)) {
      return {};
    }
    return writeSome(kStandardOutput, text.substr(0, kAtomicWrite));
  }

 private:
  // What a pipe with room takes without waiting (PIPE_BUF).
  static constexpr std::size_t kAtomicWrite = 4096;
  bool writesWait_ = true;
};

ConsoleSink console;
OutputBuffer watchedOutput;
std::streambuf* originalOutput = nullptr;

}  // namespace

void openStandardStreams() {
  openStandardDescriptors();
  console.findOutWhetherWritesWait();
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
