#include "console/standard_streams.h"

#include <cerrno>
#include <iostream>
#include <streambuf>
#include <system_error>

namespace bindsmith {

namespace {

// Passes everything on to standard output's own buffer and remembers the
// first failure with its reason, which would otherwise be lost by the time
// the run ends.
class WatchedOutput : public std::streambuf {
 public:
  void watch(std::streambuf* inner) { inner_ = inner; }
  [[nodiscard]] std::streambuf* inner() const { return inner_; }
  void fail(int error) {
    if (error_ == 0) {
      error_ = error != 0 ? error : EIO;
    }
  }
  [[nodiscard]] int error() const { return error_; }
  void forget() { error_ = 0; }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
      return traits_type::not_eof(c);
    }
    const int_type written = inner_->sputc(traits_type::to_char_type(c));
    if (traits_type::eq_int_type(written, traits_type::eof())) {
      fail(errno);
    }
    return written;
  }

  std::streamsize xsputn(const char_type* text, std::streamsize count) override {
    const std::streamsize written = inner_->sputn(text, count);
    if (written < count) {
      fail(errno);
    }
    return written;
  }

  int sync() override {
    const int result = inner_->pubsync();
    if (result != 0) {
      fail(errno);
    }
    return result;
  }

 private:
  std::streambuf* inner_ = nullptr;
  int error_ = 0;
};

WatchedOutput watchedOutput;

}  // namespace

void watchStandardOutput() {
  watchedOutput.watch(std::cout.rdbuf());
  std::cout.rdbuf(&watchedOutput);
}

int finishStandardOutput(int status) {
  std::cout.flush();
  // Standard output is flushed once more at exit, after this file's objects
  // are gone; give it back its own buffer.
  std::cout.rdbuf(watchedOutput.inner());
  const int error = watchedOutput.error();
  watchedOutput.forget();
  if (error == 0) {
    return status;
  }
  std::cerr << "bindsmith: cannot write to standard output: "
            << std::generic_category().message(error) << std::endl;
  return status == 0 ? 1 : status;
}

}  // namespace bindsmith
