#include "platform/sdl/sdl_x11_window.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>

#include <algorithm>

namespace showsaver {

std::optional<X11Window> x11_window(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return std::nullopt;
  }
  return X11Window{info.info.x11.display, info.info.x11.window};
}

int connection_descriptor(Display* display) {
  return XConnectionNumber(display);
}

void ask_for_full_screen(const X11Window& window) {
  const Atom state = XInternAtom(window.display, "_NET_WM_STATE", False);
  const Atom full_screen = XInternAtom(window.display, "_NET_WM_STATE_FULLSCREEN", False);
  XChangeProperty(window.display, window.window, state, XA_ATOM, 32, PropModeAppend,
                  reinterpret_cast<const unsigned char*>(&full_screen), 1);
  XFlush(window.display);
}

Point pointer_position(Display* display) {
  Window root = 0;
  Window child = 0;
  int x = 0;
  int y = 0;
  int window_x = 0;
  int window_y = 0;
  unsigned buttons = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &window_x, &window_y,
                &buttons);
  return {x, y};
}

bool focus_held_elsewhere(Display* display, const std::vector<XWindowId>& own) {
  Window focus = 0;
  int revert_to = 0;
  XGetInputFocus(display, &focus, &revert_to);
  if (focus == None || focus == PointerRoot || focus == DefaultRootWindow(display)) return false;
  return std::find(own.begin(), own.end(), focus) == own.end();
}

}  // namespace showsaver
