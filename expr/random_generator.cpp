// A counter-based generator: the state advances by the golden-ratio step and
// each state is mixed into 32 well-spread bits, of which the top 24 form the
// float in [0, 1) exactly.
#include "expr/random_generator.h"

#include <cstring>

namespace quillon {
namespace {

constexpr std::uint32_t kStep = 0x9E3779B9u;

std::uint32_t Mix(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

float ToUnit(std::uint32_t bits) {
  return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f);
}

// The 32-bit state that a negative argument selects: every bit of the double
// takes part, so nearby arguments give unrelated numbers.
std::uint32_t StateFromArgument(double argument) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &argument, sizeof bits);
  return Mix(static_cast<std::uint32_t>(bits) ^ Mix(static_cast<std::uint32_t>(bits >> 32)));
}

}  // namespace

float RandomGenerator::Next(double argument) {
  if (argument < 0) {
    state_ = StateFromArgument(argument);
  } else if (!(argument > 0) && hasLast_) {
    return last_;  // zero (or not a number): repeat
  }
  state_ += kStep;
  last_ = ToUnit(Mix(state_));
  hasLast_ = true;
  return last_;
}

}  // namespace quillon
