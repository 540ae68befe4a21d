// The show's windows: one black, borderless, full-screen window on every
// display, the primary display's first, so that no monitor shows the
// desktop behind the show and input anywhere reaches it.  The desktop draws
// the picture into the primary one; the others stay black.
#pragma once

#include <SDL.h>

#include <vector>

#include "platform/sdl/sdl_x11_window.h"

namespace showsaver {

class MonitorWindows {
 public:
  MonitorWindows() = default;
  ~MonitorWindows() { destroy(); }
  MonitorWindows(const MonitorWindows&) = delete;
  MonitorWindows& operator=(const MonitorWindows&) = delete;

  // A hidden window on every display; none at all when the primary
  // display's cannot be made.
  void create();
  void destroy();

  // The primary display's window, null while there is none.
  SDL_Window* primary() const { return windows_.empty() ? nullptr : windows_.front(); }
  bool is_primary(Uint32 window_id) const;
  // Shows every window, the others painted black.  The primary goes last, so
  // that it ends on top, and with the keyboard focus where SDL gives it
  // without a window manager.
  void show();
  void make_topmost();
  // Paints the window of `window_id` black again, unless it is the primary.
  void repaint_black(Uint32 window_id);

  // On X11: the connection and the primary's window; null and 0 elsewhere.
  Display* x11_display() const { return display_; }
  XWindowId primary_x11_window() const { return x11_windows_.empty() ? 0 : x11_windows_.front(); }
  // True when another client's window has taken the keyboard focus.  Only
  // X11 tells whose window holds it; elsewhere this is always false.
  bool focus_held_elsewhere() const;

 private:
  std::vector<SDL_Window*> windows_;
  Display* display_ = nullptr;
  std::vector<XWindowId> x11_windows_;
};

}  // namespace showsaver
