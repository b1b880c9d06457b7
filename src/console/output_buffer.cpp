#include "console/output_buffer.h"

#include <algorithm>

namespace bindsmith {

void OutputBuffer::recordFailure(const Failure& failure) {
  if (!failure_) {
    failure_ = failure;
  }
}

OutputBuffer::int_type OutputBuffer::overflow(int_type c) {
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    pending_.push_back(traits_type::to_char_type(c));
  }
  return traits_type::not_eof(c);
}

std::streamsize OutputBuffer::xsputn(const char_type* text, std::streamsize count) {
  pending_.append(text, static_cast<std::size_t>(count));
  return count;
}

int OutputBuffer::sync() {
  if (holds_ <= 0) {
    drain();
  }
  return 0;
}

void OutputBuffer::drain() {
  if (sink_ != nullptr && !pending_.empty()) {
    send(pending_);
  }
  pending_.clear();
}

void OutputBuffer::send(std::string_view rest) {
  sink_->mark();
  while (!rest.empty()) {
    const WriteResult written = sink_->write(rest);
    switch (written.outcome()) {
      case WriteResult::Outcome::failed:
        recordFailure(written.failure());
        sink_->returnToMark();
        return;
      case WriteResult::Outcome::givenUp:
        return;  // dropped quietly
      case WriteResult::Outcome::took:
        rest.remove_prefix(std::min(written.bytes(), rest.size()));
        break;
    }
  }
}

}  // namespace bindsmith
