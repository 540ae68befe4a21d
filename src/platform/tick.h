// The millisecond tick counter's arithmetic.  The counter is a 32-bit value
// read as signed: it changes sign after 24.9 days and wraps after 49.7, so
// ticks are added and compared modulo 2^32, never as plain integers.
#pragma once

#include <cstdint>

namespace showsaver {

// `tick` moved on by `milliseconds`, wrapping like the counter.
constexpr std::int32_t tick_add(std::int32_t tick, std::int64_t milliseconds) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(tick) +
                                   static_cast<std::uint32_t>(milliseconds));
}

// Milliseconds from `earlier` to `later`, taken as at most 2^32 - 1 apart.
constexpr std::uint32_t ticks_between(std::int32_t earlier, std::int32_t later) {
  return static_cast<std::uint32_t>(later) - static_cast<std::uint32_t>(earlier);
}

// True while `tick` has not passed `deadline` (tick <= deadline, the two
// taken as less than 2^31 milliseconds apart).
constexpr bool tick_not_after(std::int32_t tick, std::int32_t deadline) {
  return static_cast<std::int32_t>(ticks_between(deadline, tick)) <= 0;
}

// Milliseconds until the counter, now at `tick`, has passed `deadline`.
constexpr std::int64_t ticks_until_past(std::int32_t tick, std::int32_t deadline) {
  return std::int64_t{ticks_between(tick, deadline)} + 1;
}

}  // namespace showsaver
