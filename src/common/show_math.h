// The arithmetic rules of the show: 32-bit integers that fail on overflow,
// single-precision storage, and conversion to integer by rounding half to even.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "common/runtime_failure.h"
#include "platform/player_texts.h"

namespace showsaver {

[[noreturn]] inline void fail_overflow() {
  throw RuntimeFailure(kOverflowDescription);
}

inline std::int32_t checked_add(std::int32_t a, std::int32_t b) {
  std::int32_t result;
  if (__builtin_add_overflow(a, b, &result)) fail_overflow();
  return result;
}

inline std::int32_t checked_sub(std::int32_t a, std::int32_t b) {
  std::int32_t result;
  if (__builtin_sub_overflow(a, b, &result)) fail_overflow();
  return result;
}

inline std::int32_t checked_mul(std::int32_t a, std::int32_t b) {
  std::int32_t result;
  if (__builtin_mul_overflow(a, b, &result)) fail_overflow();
  return result;
}

inline std::int32_t checked_neg(std::int32_t a) {
  return checked_sub(0, a);
}

// Nearest integer, exact halves to the even neighbour; a value outside the
// 32-bit range (or not a number) is an overflow.
inline std::int32_t round_half_even(double value) {
  if (!(value >= -2147483648.5 && value < 2147483647.5)) fail_overflow();
  const double floor_value = std::floor(value);
  const double fraction = value - floor_value;
  double rounded;
  if (fraction == 0.5) {
    rounded = std::fmod(floor_value, 2.0) == 0.0 ? floor_value : floor_value + 1.0;
  } else {
    rounded = fraction < 0.5 ? floor_value : floor_value + 1.0;
  }
  if (rounded > 2147483647.0 || rounded < -2147483648.0) fail_overflow();
  return static_cast<std::int32_t>(rounded);
}

// Stores a value in single precision; a value too large for it is an overflow.
inline float to_single(double value) {
  if (std::isnan(value)) fail_overflow();
  float stored = static_cast<float>(value);
  if (std::isinf(stored) && !std::isinf(value)) fail_overflow();
  return stored;
}

}  // namespace showsaver
