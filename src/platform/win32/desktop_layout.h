// Where the show window and its picture area go on the Windows desktop: the
// window over the whole virtual screen, so that every monitor is covered,
// and the picture area centred on the primary monitor at its size on a
// 100 % display times that monitor's scale, shrunk to fit when it is larger.
#pragma once

#include "platform/geometry.h"

namespace showsaver {

struct DesktopLayout {
  // The virtual screen, in screen coordinates.
  Rect window;
  // Where the picture area shows, in window coordinates.
  Rect picture;
};

// The layout of a picture area of `picture` pixels on the desktop as it is now.
DesktopLayout current_desktop_layout(Size picture);

// The layout of a preview: the window fills the host's client area of
// `client` pixels, and the picture is scaled to fit it (fitted_area).
DesktopLayout preview_layout(Size picture, Size client);

// The primary monitor's scale in percent: its DPI against 96.
int primary_monitor_scale_percent();

}  // namespace showsaver
