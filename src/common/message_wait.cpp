#include "common/message_wait.h"

#include "common/show_math.h"

namespace showsaver {

bool wait_with_messages(Desktop& desktop, std::int32_t deadline,
                        const std::int16_t& stop_requested) {
  for (;;) {
    desktop.process_messages();
    if (stop_requested == kStop) return true;
    if (!tick_not_after(desktop.GetTickCount(), deadline)) return false;
    desktop.wait_for_message_until(deadline);
  }
}

}  // namespace showsaver
