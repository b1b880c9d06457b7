#pragma once

#include <cerrno>
#include <cstddef>
#include <streambuf>
#include <string>

namespace bindsmith::test {

// An unbuffered output buffer that keeps the first `capacity` bytes and then
// fails every write as a full disk does.
class FailingBuffer : public std::streambuf {
 public:
  explicit FailingBuffer(std::size_t capacity) : capacity_(capacity) {}
  [[nodiscard]] const std::string& kept() const { return kept_; }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
      return traits_type::not_eof(c);
    }
    if (kept_.size() >= capacity_) {
      errno = ENOSPC;
      return traits_type::eof();
    }
    kept_.push_back(traits_type::to_char_type(c));
    return c;
  }

 private:
  std::size_t capacity_;
  std::string kept_;
};

}  // namespace bindsmith::test
