// A bitmap that holds an animation's frames whose pixels the core computes
// (the cross-fade's blend, the pan and zoom's filtered region): made once,
// written in place for each frame where the GDI gives its pixels (a DIB
// section on Windows, the software GDI's own memory), and put on a surface
// with one BitBlt.  Where the GDI gives none, each frame goes through a
// bitmap of its own (put_image), with the same pixels.
#pragma once

#include <optional>

#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/pixel_image.h"

namespace showsaver {

class FrameBitmap {
 public:
  // `size` is not empty.
  FrameBitmap(Gdi& gdi, Size size);
  ~FrameBitmap();
  FrameBitmap(const FrameBitmap&) = delete;
  FrameBitmap& operator=(const FrameBitmap&) = delete;

  // The rows to write the next frame into, each pixel 0x00RRGGBB; valid
  // until the next call on the GDI.
  PixelTarget pixels();
  // Copies the frame written last to (0, 0) of the bitmap selected into
  // `destination`.
  void show(DcHandle destination);

 private:
  Gdi& gdi_;
  Size size_;
  DcHandle dc_;
  BitmapHandle bitmap_;
  GdiObject previous_;
  // The frame where the GDI does not let its bitmap be written.
  std::optional<PixelImage> copy_;
};

}  // namespace showsaver
