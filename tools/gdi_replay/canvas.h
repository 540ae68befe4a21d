// A memory DC with a bitmap of its own, made through any Gdi and released
// with everything it holds, so that a long replay stays within the real GDI's
// object limits.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi.h"
#include "platform/pixel_image.h"

namespace showsaver::gdi_replay {

class Canvas {
 public:
  // Takes `bitmap` (which may be null: the DC keeps its stock bitmap).
  Canvas(Gdi& gdi, BitmapHandle bitmap)
      : gdi_(gdi), dc_(gdi.CreateCompatibleDC(DcHandle{})), bitmap_(bitmap) {
    if (bitmap_) stock_ = gdi_.SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    if (stock_) gdi_.SelectObject(dc_, stock_);
    gdi_.DeleteDC(dc_);
    if (bitmap_) gdi_.DeleteObject(bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  static Canvas color(Gdi& gdi, const PixelImage& image) {
    return Canvas(gdi, gdi.CreateBitmapFromImage(image));
  }
  static Canvas blank(Gdi& gdi, int width, int height) {
    return Canvas(gdi, gdi.CreateColorBitmap(width, height));
  }
  // `bits`: rows of 1-bit pixels, most significant bit first, each row
  // padded to 16 bits; empty for a cleared bitmap.
  static Canvas mono(Gdi& gdi, int width, int height, const std::vector<std::uint8_t>& bits) {
    return Canvas(gdi, gdi.CreateBitmap(width, height, 1, 1, bits.empty() ? nullptr : bits.data()));
  }

  DcHandle dc() const { return dc_; }
  // What the bitmap holds now; 0 x 0 when it cannot be read back.
  PixelImage image() const { return gdi_.ReadImage(dc_).value_or(PixelImage{}); }

 private:
  Gdi& gdi_;
  DcHandle dc_;
  BitmapHandle bitmap_;
  GdiObject stock_;
};

}  // namespace showsaver::gdi_replay
