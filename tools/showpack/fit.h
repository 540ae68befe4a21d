// How a picture is made to fit the show's picture area, and the size it
// takes there.
#pragma once

#include <optional>
#include <string_view>

#include "platform/geometry.h"

namespace showsaver::showpack {

enum class Fit {
  none,     // kept at its own size
  contain,  // scaled to the largest size that shows all of it
  cover,    // scaled to the smallest size that fills the area, the rest cut off
};

std::optional<Fit> parse_fit(std::string_view text);
const char* fit_name(Fit fit);

// The size a picture of `picture` pixels takes in an area of `area` pixels.
Size fitted_size(Size picture, Size area, Fit fit);

}  // namespace showsaver::showpack
