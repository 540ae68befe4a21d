// A millisecond tick counter that moves only when the show reads or waits on it.
#pragma once

#include <cstdint>

#include "platform/tick.h"

namespace showsaver {

class VirtualClock {
 public:
  explicit VirtualClock(std::int32_t start_tick = 0) : start_(start_tick), now_(start_tick) {}

  std::int32_t now() const { return now_; }
  // Milliseconds since the start; keeps counting across the tick's wrap.
  std::int64_t elapsed() const { return elapsed_; }
  std::int32_t start() const { return start_; }
  // The tick `milliseconds` after the start, wrapping like the real counter.
  std::int32_t tick_at(std::int64_t milliseconds) const { return tick_add(start_, milliseconds); }
  void advance(std::int64_t milliseconds) {
    if (milliseconds <= 0) return;
    elapsed_ += milliseconds;
    now_ = tick_at(elapsed_);
  }
  // Moves forward to `tick` (never backward).
  void advance_to_tick(std::int32_t tick) {
    advance(static_cast<std::int32_t>(ticks_between(now_, tick)));
  }

 private:
  std::int32_t start_;
  std::int32_t now_;
  std::int64_t elapsed_ = 0;
};

}  // namespace showsaver
