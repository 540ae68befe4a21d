#include "platform/gtk/settings_layout.h"

#include <cmath>

namespace showsaver {
namespace {

constexpr double kTwipsPerInch = 1440.0;

int to_pixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

const DesignControl& frame(int index) {
  for (const DesignControl& control : kSettingsControls) {
    if (control.kind == ControlKind::Frame && control.index == index) return control;
  }
  return kSettingsControls.front();
}

}  // namespace

Box twips_to_pixels(const Box& twips, double dpi) {
  return {to_pixels(twips.left, dpi), to_pixels(twips.top, dpi), to_pixels(twips.width, dpi),
          to_pixels(twips.height, dpi)};
}

Box placement_in_pixels(const DesignControl& control, double dpi) {
  Box twips = control.twips;
  if (control.container >= 0) {
    twips.left += frame(control.container).twips.left;
    twips.top += frame(control.container).twips.top;
  }
  return twips_to_pixels(twips, dpi);
}

}  // namespace showsaver
