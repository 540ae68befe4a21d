// A window of the window system, as user32 hands it out: an HWND on Windows,
// an X11 window id elsewhere; 0 for none.
#pragma once

#include <cstdint>

namespace showsaver {

using WindowHandle = std::uintptr_t;

}  // namespace showsaver
