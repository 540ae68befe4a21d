#include "frame_pacing.h"

namespace showsaver::studio {

FramePacing::Decision FramePacing::frame_drawn(std::int64_t show_time) {
  Decision decision;
  // A held frame is seen if a refresh passes before the next one comes.
  if (held_ && double(show_time - *held_) >= refresh_ms_) {
    decision.show_held_first = true;
    last_shown_ = held_;
  }
  held_.reset();
  if (!last_shown_ || double(show_time - *last_shown_) >= refresh_ms_) {
    last_shown_ = show_time;
    decision.action = Action::Show;
  } else {
    held_ = show_time;
    decision.action = Action::Hold;
  }
  return decision;
}

bool FramePacing::picture_stays() {
  if (!held_) return false;
  last_shown_ = held_;
  held_.reset();
  return true;
}

}  // namespace showsaver::studio
