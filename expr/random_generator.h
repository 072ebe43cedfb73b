// The pseudo-random generator behind RND: uniform on [0, 1), never seeded by
// the program, so every document starts the same sequence.
#pragma once

#include <cstdint>

namespace quillon {

class RandomGenerator {
 public:
  // A positive argument gives the next number of the sequence, zero the number
  // returned last (the next one when none was returned yet), a negative
  // argument a number fixed by the argument (and restarts the sequence from
  // it). A NaN argument counts as zero.
  float Next(double argument);

 private:
  std::uint32_t state_ = 0x50000u;
  float last_ = 0.0f;
  bool hasLast_ = false;
};

}  // namespace quillon
