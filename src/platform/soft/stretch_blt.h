// The fast path of StretchBlt in the default BLACKONWHITE mode.
#pragma once

#include "platform/soft/blit_request.h"

namespace showsaver::soft {

// Scales the source rectangle onto the destination rectangle with the pixel
// choice of blit_axis.h.  Source pixels are first converted to the
// destination's format, then the pixels that land on one destination pixel are
// ANDed (BLACKONWHITE, in both axes; an enlarging axis only repeats pixels),
// then the raster operation combines the result with the destination.
void stretch_blt(const BlitRequest& request);

}  // namespace showsaver::soft
