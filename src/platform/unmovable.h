#pragma once

namespace bindsmith {

// A base for what stands for something that exists once where it is: a
// destination text is written to, a catch of the interrupts, a statement
// group. It can be neither copied nor moved.
class Unmovable {
 public:
  Unmovable(const Unmovable&) = delete;
  Unmovable& operator=(const Unmovable&) = delete;
  Unmovable(Unmovable&&) = delete;
  Unmovable& operator=(Unmovable&&) = delete;

 protected:
  Unmovable() = default;
  ~Unmovable() = default;
};

}  // namespace bindsmith
