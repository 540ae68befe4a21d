// The X11 side of the SDL desktop's windows, for what the desktop asks the
// X server itself: what SDL has no call for (full screen before the window
// is mapped, who holds the keyboard focus) and what SDL answers from a cache
// (the pointer's position, which it refreshes only on XInput2's raw events,
// so that an absolute move of XTest, a tablet or a virtual machine's pointer
// would go unseen).
#pragma once

#include <SDL.h>

#include <optional>
#include <vector>

#include "platform/geometry.h"

// Xlib's connection, declared here so that Xlib's macros (None, Bool,
// Status, ...) stay out of the files that include this one.
typedef struct _XDisplay Display;

namespace showsaver {

// Xlib's Window, an XID.
using XWindowId = unsigned long;

struct X11Window {
  Display* display = nullptr;
  XWindowId window = 0;
};

// `window`'s X11 connection and window; nothing on another video driver.
std::optional<X11Window> x11_window(SDL_Window* window);

// The connection's socket, for a wait to watch.
int connection_descriptor(Display* display);

// Asks the window manager to show the window full screen from the moment it
// is mapped, as a client does by its _NET_WM_STATE before mapping; without a
// window manager the window, made at its display's place and size, covers
// the display anyway.
void ask_for_full_screen(const X11Window& window);

// The pointer's position on the root window, read from the server.
Point pointer_position(Display* display);

// True when the keyboard focus is on a window none of `own` (the windows of
// the show): another client's.  No focus, the root window and PointerRoot
// belong to nobody: the focus falls back there when one of the show's own
// dialogs closes.
bool focus_held_elsewhere(Display* display, const std::vector<XWindowId>& own);

}  // namespace showsaver
