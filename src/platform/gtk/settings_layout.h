// The settings dialog's design (platform/settings_dialog_design.h) in pixels:
// GTK lays the dialog out at the display's resolution.
#pragma once

#include "platform/geometry.h"
#include "platform/settings_dialog_design.h"

namespace showsaver {

// Where `control` lies in the dialog's client area, in pixels at `dpi` dots
// per inch: its container's offset added, each value rounded on its own.
Rect placement_in_pixels(const DesignControl& control, double dpi);
// A rectangle or a size in twips as pixels at `dpi`, each value rounded on its own.
Rect twips_to_pixels(const Rect& twips, double dpi);
Size twips_to_pixels(const Size& twips, double dpi);

}  // namespace showsaver
