#pragma once

#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/output_buffer.h"

// Stand-ins for the disk and the console, for tests and the fuzzer.
namespace bindsmith::test {

// Keeps everything written to it.
class MemorySink : public Sink {
 public:
  [[nodiscard]] const std::string& kept() const { return kept_; }
  WriteResult write(std::string_view text) override {
    kept_ += text;
    return WriteResult::took(text.size());
  }
  void mark() override { mark_ = kept_.size(); }
  void returnToMark() override { kept_.resize(mark_); }

 private:
  std::string kept_;
  std::size_t mark_ = 0;
};

// Holds `capacity` bytes and fails a write that finds it full, as a full
// disk does; a write that does not fit is taken in part, as the system does.
// Closing it fails with `closeError`, if one is given.
class FailingSink : public MemorySink {
 public:
  explicit FailingSink(std::size_t capacity, int error = ENOSPC,
                       std::optional<int> closeError = std::nullopt)
      : capacity_(capacity), error_(error), closeError_(closeError) {}
  WriteResult write(std::string_view text) override {
    if (kept().size() >= capacity_) {
      return Failure{error_};
    }
    return MemorySink::write(text.substr(0, capacity_ - kept().size()));
  }
  Result<void> close() override {
    if (closeError_) {
      return Failure{*closeError_};
    }
    return {};
  }

 private:
  std::size_t capacity_;
  int error_;
  std::optional<int> closeError_;
};

// Remembers how much had been written after each write call: the script on
// disk at every instant of a run.
class RecordingSink : public MemorySink {
 public:
  [[nodiscard]] const std::vector<std::size_t>& sizes() const { return sizes_; }
  WriteResult write(std::string_view text) override {
    const WriteResult result = MemorySink::write(text);
    sizes_.push_back(kept().size());
    return result;
  }

 private:
  std::vector<std::size_t> sizes_;
};

}  // namespace bindsmith::test
