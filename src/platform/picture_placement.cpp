#include "platform/picture_placement.h"

#include <algorithm>
#include <cstdint>

#include "platform/picture_scaling.h"

namespace showsaver {

Rect centred_area(Size screen, Size picture) {
  return {screen.width / 2 - picture.width / 2, screen.height / 2 - picture.height / 2,
          picture.width, picture.height};
}

Rect fitted_area(Size picture, Size window) {
  return centred_area(window, fitted_size(picture, window));
}

PicturePlacement place_picture(Rect area, Size window) {
  // In 64 bits: a corner far off the window plus the extent may overflow.
  const std::int64_t left = std::max<std::int64_t>(area.left, 0);
  const std::int64_t top = std::max<std::int64_t>(area.top, 0);
  const std::int64_t right =
      std::min<std::int64_t>(std::int64_t{area.left} + area.width, window.width);
  const std::int64_t bottom =
      std::min<std::int64_t>(std::int64_t{area.top} + area.height, window.height);
  if (right <= left || bottom <= top) return {};
  const Rect shown{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                   static_cast<std::int32_t>(right - left),
                   static_cast<std::int32_t>(bottom - top)};
  // Within the picture's extent, as the part lies inside the area.
  return {shown,
          {static_cast<std::int32_t>(left - area.left), static_cast<std::int32_t>(top - area.top)}};
}

std::array<Rect, 4> black_bands(Rect shown, Size window) {
  const std::int32_t right = shown.left + shown.width;
  const std::int32_t bottom = shown.top + shown.height;
  return {{{0, 0, window.width, shown.top},
           {0, bottom, window.width, window.height - bottom},
           {0, shown.top, shown.left, shown.height},
           {right, shown.top, window.width - right, shown.height}}};
}

}  // namespace showsaver
