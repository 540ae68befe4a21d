// A request to end the show that comes from outside rather than as input: a
// termination signal, the window manager's close, WM_CLOSE, the end of the
// session, the show's window or a preview's host window going away.  It
// lasts: the show forgets input from before it began, so every message
// processing reports it again (InputSink::end_requested), and a message wait
// that watches it (SDL's, Xlib's) returns at once while it stands.
#pragma once

#include <functional>
#include <utility>

#include "platform/window_system.h"

namespace showsaver {

class EndRequest {
 public:
  EndRequest() = default;
  // `asked_to_end()` tells whether the program has been asked to end from
  // outside the desktop (a termination signal); asked on every check.
  explicit EndRequest(std::function<bool()> asked_to_end)
      : asked_to_end_(std::move(asked_to_end)) {}

  // The desktop's own reason to end: the window was closed or went away.
  void request() { requested_ = true; }
  // A new show window starts with no request of the desktop's own.
  void clear() { requested_ = false; }

  bool requested() const { return requested_ || (asked_to_end_ && asked_to_end_()); }

  // Tells `sink` (nobody while there is no sink) while the end is requested.
  void report_to(InputSink* sink) const {
    if (sink != nullptr && requested()) sink->end_requested();
  }

 private:
  std::function<bool()> asked_to_end_;
  bool requested_ = false;
};

}  // namespace showsaver
