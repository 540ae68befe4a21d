// The wait of the hold and of every effect frame.
#pragma once

#include <cstdint>

#include "platform/message_loop.h"

namespace showsaver {

inline constexpr std::int16_t kStop = -1;

// Processes pending messages, tests the stop flag and reads the tick counter,
// over and over while no more than `duration` milliseconds have passed since
// `start` (a tick read before); between passes it blocks until the next
// message or the end of the wait instead of spinning.  Messages are processed
// and the flag is tested at least once, so a duration of 0 or less gives one
// pass.  Time is measured as the tick's distance from `start`, which stays
// right when the counter changes sign or wraps.  Returns true when it was
// left because `stop_requested` became -1.
bool wait_with_messages(MessageLoop& loop, std::int32_t start, std::int32_t duration,
                        const std::int16_t& stop_requested);

}  // namespace showsaver
