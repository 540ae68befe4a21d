// The loop of every desktop's wait_for_message_until: read the tick counter,
// leave once it has passed the deadline, else block on the platform's event
// source for the milliseconds left, and read the counter again, since a
// platform's wait may end early or late.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

#include "platform/tick.h"

namespace showsaver {

// The milliseconds a wait may block while the counter, now at `now`, has not
// passed `deadline`: until it has, at most INT_MAX, the longest timeout every
// platform's wait takes.  Nothing once the deadline has passed.
constexpr std::optional<int> wait_time_left(std::int32_t now, std::int32_t deadline) {
  if (!tick_not_after(now, deadline)) return std::nullopt;
  return static_cast<int>(std::min<std::int64_t>(ticks_until_past(now, deadline), INT_MAX));
}

// Blocks until the counter read by `read_tick()` has passed `deadline`, or
// `wait_for_event(timeout_ms)` returns true: it does so when there is
// something to handle (at once when there is already), and returns false once
// it has blocked for up to `timeout_ms` with nothing to report.
template <typename ReadTick, typename WaitForEvent>
void wait_until_deadline(std::int32_t deadline, ReadTick read_tick, WaitForEvent wait_for_event) {
  for (;;) {
    const std::optional<int> left = wait_time_left(read_tick(), deadline);
    if (!left || wait_for_event(*left)) return;
  }
}

}  // namespace showsaver
