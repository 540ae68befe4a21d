// The fast path of StretchBlt in the default BLACKONWHITE mode.
#pragma once

#include <cstddef>

#include "platform/soft/blit_request.h"

namespace showsaver::soft {

// Scales the source rectangle onto the destination rectangle with the pixel
// choice of blit_axis.h.  Source pixels are first converted to the
// destination's format, then the pixels that land on one destination pixel are
// ANDed (BLACKONWHITE, in both axes; an enlarging axis only repeats pixels),
// then the raster operation combines the result with the destination.
void stretch_blt(const BlitRequest& request);

// Destinations of at least this many bytes that a SRCCOPY halving writes are
// written with streaming stores, past the cache, as they would not stay in it.
inline constexpr std::size_t kStreamingBytes = std::size_t{16} << 20;

// stretch_blt with another size from which a halving streams: 0 takes that
// path on any size, so that small bitmaps cover it.
void stretch_blt_streaming_from(const BlitRequest& request, std::size_t streaming_bytes);

}  // namespace showsaver::soft
