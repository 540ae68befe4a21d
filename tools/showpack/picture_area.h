// How large a show's picture area may be.  The player keeps four surfaces of
// the area's size at 4 bytes a pixel (the shown picture, the next, the work
// surface of the transitions and the window's copy), so the area may hold at
// most the player's picture limit of 2^26 pixels: 1 GiB for the four, which
// a common PC with 8 GB can spare.  32767x32767 would need 16 GiB.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/geometry.h"
#include "platform/pixel_image.h"

namespace showsaver::showpack {

inline constexpr std::int64_t kMaxAreaPixels = kMaxImagePixels;

// Why the area cannot be shown, with its size, the limit and the memory it
// would take; nothing when it can.
std::optional<std::string> picture_area_problem(Size area);

}  // namespace showsaver::showpack
