#include "effects/effect_random.h"

namespace showsaver {

float EffectRandom::next() {
  const std::uint64_t old_state = state_;
  state_ = old_state * 6364136223846793005ULL + kIncrement;
  const auto xor_shifted = static_cast<std::uint32_t>(((old_state >> 18u) ^ old_state) >> 27u);
  const auto rotation = static_cast<std::uint32_t>(old_state >> 59u);
  const std::uint32_t output =
      (xor_shifted >> rotation) | (xor_shifted << ((32u - rotation) & 31u));
  // The top 24 bits fill a float's significand exactly.
  return static_cast<float>(output >> 8u) * (1.0f / 16777216.0f);
}

}  // namespace showsaver
