#include "platform/gtk/settings_layout.h"

#include <cmath>
#include <cstdint>

namespace showsaver {
namespace {

constexpr double kTwipsPerInch = 1440.0;

std::int32_t to_pixels(std::int32_t twips, double dpi) {
  return static_cast<std::int32_t>(std::lround(twips * dpi / kTwipsPerInch));
}

}  // namespace

Rect twips_to_pixels(const Rect& twips, double dpi) {
  return {to_pixels(twips.left, dpi), to_pixels(twips.top, dpi), to_pixels(twips.width, dpi),
          to_pixels(twips.height, dpi)};
}

Size twips_to_pixels(const Size& twips, double dpi) {
  return {to_pixels(twips.width, dpi), to_pixels(twips.height, dpi)};
}

Rect placement_in_pixels(const DesignControl& control, double dpi) {
  return twips_to_pixels(twips_in_dialog(control), dpi);
}

}  // namespace showsaver
