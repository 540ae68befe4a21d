// The size of the primary display, which `new` takes for the picture area
// when it is not given.  Asked of xrandr, when there is a display and the
// program; showpack links no display library for this one question.
#pragma once

#include <optional>
#include <string_view>

#include "platform/geometry.h"

namespace showsaver::showpack {

// The primary output's size in `xrandr --current` output ("... connected
// primary 2560x1440+0+0 ..."), else the first connected output's.
std::optional<Size> primary_display_size(std::string_view xrandr_output);

// The running desktop's primary display size; nothing without one.
std::optional<Size> query_primary_display_size();

}  // namespace showsaver::showpack
