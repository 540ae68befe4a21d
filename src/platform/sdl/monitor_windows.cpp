#include "platform/sdl/monitor_windows.h"

#include <algorithm>
#include <cstring>

namespace showsaver {
namespace {

bool same_place(const SDL_Rect& a, const SDL_Rect& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// Every display's place on the desktop, the primary's (SDL's display 0)
// first; a display that mirrors another one counts once.
std::vector<SDL_Rect> display_places() {
  std::vector<SDL_Rect> places;
  const int count = std::max(SDL_GetNumVideoDisplays(), 1);
  for (int display = 0; display < count; ++display) {
    SDL_Rect place{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(display, &place) != 0) {
      SDL_DisplayMode mode;
      if (display > 0 || SDL_GetDesktopDisplayMode(0, &mode) != 0) continue;
      place = {0, 0, mode.w, mode.h};
    }
    if (std::none_of(places.begin(), places.end(),
                     [&](const SDL_Rect& known) { return same_place(known, place); })) {
      places.push_back(place);
    }
  }
  return places;
}

bool on_x11() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "x11") == 0;
}

void paint_black(SDL_Window* window) {
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr) return;
  SDL_FillRect(surface, nullptr, 0);
  SDL_UpdateWindowSurface(window);
}

}  // namespace

void MonitorWindows::create() {
  destroy();
  // On X11 each window asks for full screen itself: SDL makes a window full
  // screen only once it is mapped, and then waits up to 100 ms for the window
  // manager to move or resize it, which never happens to a window made at
  // the display's place and size (nor without a window manager).
  const bool x11 = on_x11();
  for (const SDL_Rect& place : display_places()) {
    SDL_Window* window =
        SDL_CreateWindow("showsaver", place.x, place.y, place.w, place.h,
                         SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR |
                             (x11 ? Uint32{0} : Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP}));
    if (window == nullptr) {
      SDL_Log("No show window at %d,%d: %s", place.x, place.y, SDL_GetError());
      // Without the primary display's window there is nowhere to show the picture.
      if (windows_.empty()) return;
      continue;
    }
    windows_.push_back(window);
    if (const std::optional<X11Window> native = x11_window(window)) {
      display_ = native->display;
      x11_windows_.push_back(native->window);
      ask_for_full_screen(*native);
    }
  }
}

void MonitorWindows::destroy() {
  for (SDL_Window* window : windows_) SDL_DestroyWindow(window);
  windows_.clear();
  x11_windows_.clear();
  display_ = nullptr;
}

bool MonitorWindows::is_primary(Uint32 window_id) const {
  return !windows_.empty() && SDL_GetWindowID(windows_.front()) == window_id;
}

void MonitorWindows::show() {
  for (auto window = windows_.rbegin(); window != windows_.rend(); ++window) {
    SDL_ShowWindow(*window);
    SDL_RaiseWindow(*window);
    if (*window != primary()) paint_black(*window);
  }
}

void MonitorWindows::make_topmost() {
  for (SDL_Window* window : windows_) SDL_SetWindowAlwaysOnTop(window, SDL_TRUE);
}

void MonitorWindows::repaint_black(Uint32 window_id) {
  for (SDL_Window* window : windows_) {
    if (window != primary() && SDL_GetWindowID(window) == window_id) paint_black(window);
  }
}

bool MonitorWindows::focus_held_elsewhere() const {
  return display_ != nullptr && showsaver::focus_held_elsewhere(display_, x11_windows_);
}

}  // namespace showsaver
