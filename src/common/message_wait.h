// The wait of the hold and of every effect frame.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

namespace showsaver {

inline constexpr std::int16_t kStop = -1;

// Processes pending messages, tests the stop flag and reads the tick counter,
// over and over while the tick has not passed `deadline`; between passes it
// blocks until the next message or the deadline instead of spinning.  Messages
// are processed and the flag is tested at least once.  Returns true when it
// was left because `stop_requested` became -1.
bool wait_with_messages(Desktop& desktop, std::int32_t deadline,
                        const std::int16_t& stop_requested);

}  // namespace showsaver
