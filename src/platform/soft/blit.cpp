#include "platform/soft/blit.h"

#include "platform/soft/bit_blt.h"
#include "platform/soft/stretch_blt.h"

namespace showsaver::soft {

void blit(const BlitRequest& request) {
  const BlitGeometry& g = request.geometry;
  // Equal extents map every pixel to the pixel at the same offset, mirrored
  // or not, which is exactly the offset copy.
  if (g.destination.width == g.source.width && g.destination.height == g.source.height) {
    bit_blt(request);
  } else {
    stretch_blt(request);
  }
}

}  // namespace showsaver::soft
