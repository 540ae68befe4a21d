// Which of a playing show's frames the page gets, and when.  The engine
// draws every frame the player draws; handing one to the page (turning it
// into the canvas's bytes, copying it out and posting it) costs about as
// much again, and what it costs delays every frame after it.  A display
// shows one frame a refresh, so the page gets a frame only once a refresh of
// show time has passed since the last it got; one drawn sooner is held, and
// handed over only if it would be seen: before a frame that comes a refresh
// or more after it, or when the picture stays (a transition or the show ends).
#pragma once

#include <cstdint>
#include <optional>

namespace showsaver::studio {

class FramePacing {
 public:
  enum class Action {
    Show,  // at its time (at once when that has passed)
    Hold,  // keep it, in case no later frame replaces it
  };
  struct Decision {
    bool show_held_first = false;  // the held frame goes first, at once
    Action action = Action::Show;
    friend bool operator==(const Decision&, const Decision&) = default;
  };

  explicit FramePacing(double refresh_ms) : refresh_ms_(refresh_ms) {}

  // A frame drawn for `show_time` (milliseconds since the show started).
  Decision frame_drawn(std::int64_t show_time);

  // The picture stays as it is for a while: whether the held frame, if any,
  // must be handed over now.
  bool picture_stays();

 private:
  double refresh_ms_;
  std::optional<std::int64_t> last_shown_;
  std::optional<std::int64_t> held_;
};

}  // namespace showsaver::studio
