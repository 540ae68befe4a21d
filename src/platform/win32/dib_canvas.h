// A memory device context with a 32-bit top-down DIB section of its own
// selected into it: a picture GDI draws on and the program reads and writes
// as pixels.
#pragma once

#include <cstdint>

#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/picture_scaling.h"

// <windows.h>'s handle types, declared without the header (its macros would
// clash with the seam's constants).
struct HDC__;
struct HBITMAP__;

namespace showsaver {

class DibCanvas {
 public:
  DibCanvas() = default;
  ~DibCanvas() { release(); }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  // Makes the canvas `size` unless it has that size already (its pixels are
  // kept then); false, and the canvas empty, when it cannot be made.
  bool resize(Size size);
  void release();

  bool empty() const { return dc_ == nullptr; }
  HDC__* dc() const { return dc_; }
  Size size() const { return size_; }
  // Its pixels with everything GDI has drawn on it so far.
  PixelView view() const;
  PixelTarget target() const;

 private:
  HDC__* dc_ = nullptr;
  HBITMAP__* bitmap_ = nullptr;
  HBITMAP__* stock_bitmap_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  Size size_;
};

}  // namespace showsaver
