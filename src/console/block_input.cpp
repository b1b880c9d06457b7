#include "console/block_input.h"

namespace bindsmith {

BlockInput::int_type BlockInput::underflow() {
  const std::ptrdiff_t count = fill(block_);
  if (count <= 0) {
    return traits_type::eof();
  }
  setg(block_.data(), block_.data(), block_.data() + count);
  // As an int_type: a first byte of 0xFF is a byte, not the end of input.
  return traits_type::to_int_type(block_[0]);
}

}  // namespace bindsmith
