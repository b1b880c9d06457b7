#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <streambuf>

namespace bindsmith {

// Standard input read in blocks, each block taken by one read of the
// platform's own (see fill), so that a session piped in costs one system
// call per block and not one per character.
class BlockInput : public std::streambuf {
 protected:
  // Reads the next block into `block`; returns how many bytes it took, or 0
  // or less at the end of input (an error, or an interrupt, ends it too).
  virtual std::ptrdiff_t fill(std::span<char> block) = 0;

  int_type underflow() override;

 private:
  // The size of a pipe's atomic write and of a terminal's line buffer.
  static constexpr std::size_t kBlock = 4096;
  std::array<char, kBlock> block_{};
};

}  // namespace bindsmith
