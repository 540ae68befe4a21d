// The settings dialog's template, built in memory from its design
// (platform/settings_dialog_design.h) for DialogBoxIndirectParamW: Windows
// draws the dialog from the same table as the other desktops.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace showsaver::win32 {

// Twips as dialog units of the dialog's font, rounded to the nearest unit.
std::int32_t twips_to_dialog_units(std::int32_t twips);
// A rectangle in twips as dialog units.  Its edges are rounded, not its size,
// so that neighbours meet as they did in twips.
Rect twips_to_dialog_units(const Rect& twips);

// The dialog's DLGTEMPLATEEX and its items.  A vector's storage is aligned
// for any fundamental type, so the template starts on a DWORD boundary as
// Windows requires.
std::vector<std::uint16_t> settings_dialog_template();

}  // namespace showsaver::win32
