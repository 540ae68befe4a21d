// The fast path of a blit whose source and destination extents are equal.
#pragma once

#include "platform/soft/blit_request.h"

namespace showsaver::soft {

// Requires source_width == width and source_height == height.
//
// GDI's rule: the source rectangle is clipped to the source bitmap, moved into
// destination coordinates and intersected with the destination rectangle
// clipped to the destination bitmap.  Destination pixels whose source lies
// outside the source bitmap stay untouched.  Within one bitmap the copy
// behaves like memmove.
void bit_blt(const BlitRequest& request);

}  // namespace showsaver::soft
