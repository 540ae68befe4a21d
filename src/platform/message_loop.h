// The clock and the message wait: the tick counter, and the message loop
// that delivers the show window's input (window_system.h) and blocks until a
// deadline.  Method names are our own; the comment above each names the
// Win32 call it stands for.
#pragma once

#include <cstdint>

namespace showsaver {

class MessageLoop {
 public:
  virtual ~MessageLoop() = default;

  // PeekMessage, DispatchMessage: dispatches every pending message to the
  // show window's input sink, then returns.
  virtual void process_messages() = 0;
  // MsgWaitForMultipleObjectsEx: blocks until a message is pending or the
  // tick counter has passed `deadline` (wrap-safe); returns at once if either
  // holds already.
  virtual void wait_for_message_until(std::int32_t deadline) = 0;
  // GetTickCount: the millisecond tick counter, read as a signed value.
  virtual std::int32_t tick_count() = 0;
};

}  // namespace showsaver
