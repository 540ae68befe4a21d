// Where the picture area goes on a screen or in a window, and what of the
// window stays black around it: the rule the show uses to centre its picture
// area, and the part a desktop draws when the area does not fit.
#pragma once

#include <array>

#include "platform/geometry.h"

namespace showsaver {

// `picture` centred in `screen`: the two halves are truncated separately, not
// their difference, so of an odd difference the extra pixel goes left (above)
// when the picture's extent is the odd one and right (below) when the
// screen's is.  A picture larger than the screen starts left of or above it.
Rect centred_area(Size screen, Size picture);

// `picture` scaled to the largest size of its aspect that fits `window`
// (fitted_size in picture_scaling.h), centred: a preview's picture area.
Rect fitted_area(Size picture, Size window);

// A picture placed at `area` (window coordinates) as a window of `window`'s
// size shows it.
struct PicturePlacement {
  // The visible part in window coordinates; all zero when no pixel of the
  // picture lies inside the window.
  Rect shown;
  // The corner of `shown` in picture coordinates.
  Point from;
};
PicturePlacement place_picture(Rect area, Size window);

// The four bands of a window of `window`'s size around `shown`, which lies
// inside it: above and below across the whole width, then left and right
// beside it.  Bands of no pixels are empty(); around an empty `shown` at the
// corner the bands cover the whole window.
std::array<Rect, 4> black_bands(Rect shown, Size window);

inline bool empty(Rect rect) {
  return rect.width <= 0 || rect.height <= 0;
}

}  // namespace showsaver
