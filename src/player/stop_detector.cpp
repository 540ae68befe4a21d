#include "player/stop_detector.h"

#include "common/message_wait.h"

namespace showsaver {
namespace {

// ShowCursor moves the display count by one per call; the bound only guards
// against a platform whose count never moves.
constexpr int kMaximumCursorCalls = 1 << 16;

}  // namespace

void StopDetector::arm() {
  stop_requested_ = 0;
  start_cursor_position_ = windows_.cursor_position();
}

bool StopDetector::stop_requested() const {
  return stop_requested_ == kStop;
}

void StopDetector::key_down() {
  if (!preview_) stop_requested_ = kStop;
}

void StopDetector::mouse_down() {
  if (!preview_) stop_requested_ = kStop;
}

void StopDetector::mouse_move() {
  if (!preview_ && windows_.cursor_position() != start_cursor_position_) {
    stop_requested_ = kStop;
  }
}

void StopDetector::end_requested() {
  stop_requested_ = kStop;
}

void StopDetector::hide_cursor() {
  if (preview_) return;
  for (int call = 0; call < kMaximumCursorCalls; ++call) {
    if (windows_.show_cursor(false) < 0) return;
  }
}

void StopDetector::show_cursor() {
  if (preview_) return;
  for (int call = 0; call < kMaximumCursorCalls; ++call) {
    if (windows_.show_cursor(true) >= 0) return;
  }
}

}  // namespace showsaver
