// The picture area as a monitor shows it when its size there differs from
// the package's: on a scaled display (at its size on a 100 % display times
// the scale) and on a monitor smaller than the area (shrunk to fit, its
// aspect kept).  The effects still draw at the package's size; only the
// presented frame is scaled, so every effect keeps its exact frames.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi.h"
#include "platform/geometry.h"

namespace showsaver {

// `picture` times `scale_percent` / 100 (rounded), then, when that does not
// fit in `monitor`, the largest size of the same aspect that does (at least
// 1 x 1).  Empty for an empty picture.
Size presented_size(Size picture, Size monitor, int scale_percent = 100);

// The largest size of `picture`'s aspect that fits in `box`, larger or
// smaller than `picture` (at least 1 x 1): a preview's picture area.  Empty
// when either is empty.
Size fitted_size(Size picture, Size box);

// Scales `source` to fill `target`, each pixel 0x00RRGGBB (the top byte of the
// source is no part of the colour and is cleared).  Per axis: the same size
// copies, a whole multiple repeats each pixel exactly, a smaller size averages
// the area each target pixel covers, and a larger one interpolates linearly.
void scale_picture(const PixelView& source, const PixelTarget& target);

// The same into a new image of `size`.
PixelImage scaled_picture(const PixelView& source, Size size);

}  // namespace showsaver
