#include "common/message_wait.h"

#include "platform/tick.h"

namespace showsaver {

bool wait_with_messages(MessageLoop& loop, std::int32_t start, std::int32_t duration,
                        const std::int16_t& stop_requested) {
  for (;;) {
    loop.process_messages();
    if (stop_requested == kStop) return true;
    const std::uint32_t elapsed = ticks_between(start, loop.tick_count());
    if (duration < 0 || elapsed > static_cast<std::uint32_t>(duration)) return false;
    loop.wait_for_message_until(tick_add(start, duration));
  }
}

}  // namespace showsaver
