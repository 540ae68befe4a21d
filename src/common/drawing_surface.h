// What an effect sees of a picture surface.
#pragma once

#include "platform/gdi.h"

namespace showsaver {

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  // A device context on the surface's current image.
  virtual DcHandle dc() const = 0;
  // The size in pixels.
  virtual int width() const = 0;
  virtual int height() const = 0;
  // Makes the current image visible (the visible surface only).
  virtual void refresh() = 0;
  // Fills the box between the two corners, both included, with `color`.
  virtual void filled_box(int x1, int y1, int x2, int y2, ColorRef color) = 0;
};

}  // namespace showsaver
