// Ends the show on any input: a key, a mouse button, or the mouse moved away
// from where it was when the show started.  It also hides the cursor for the
// show and brings it back at the end.  A preview ends only on the window
// system's end request, and its cursor is its host's.
#pragma once

#include <cstdint>

#include "platform/window_system.h"

namespace showsaver {

class StopDetector final : public InputSink {
 public:
  explicit StopDetector(WindowSystem& windows, bool preview = false)
      : windows_(windows), preview_(preview) {}

  // Show start: no stop requested, and the cursor's position from now on
  // is the one a mouse move is compared with.
  void arm();
  // The flag the player and every effect poll; only -1 means stop.
  const std::int16_t& StopRequested() const { return stop_requested_; }
  bool stop_requested() const;

  void key_down() override;
  void mouse_down() override;
  void mouse_move() override;
  void end_requested() override;

  // Until the display count is below zero, or back at zero or above.
  void hide_cursor();
  void show_cursor();

 private:
  WindowSystem& windows_;
  bool preview_;
  std::int16_t stop_requested_ = 0;
  Point start_cursor_position_;
};

}  // namespace showsaver
