#include "platform/win32/dib_canvas.h"

#include "platform/win32/dib_section.h"

namespace showsaver {

bool DibCanvas::resize(Size size) {
  if (dc_ != nullptr && size == size_) return true;
  release();
  void* bits = nullptr;
  bitmap_ = create_dib_section(size.width, size.height, &bits);
  if (bitmap_ == nullptr) return false;
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ == nullptr) {
    release();
    return false;
  }
  stock_bitmap_ = static_cast<HBITMAP>(SelectObject(dc_, bitmap_));
  pixels_ = static_cast<std::uint32_t*>(bits);
  size_ = size;
  return true;
}

void DibCanvas::release() {
  if (dc_ != nullptr) {
    SelectObject(dc_, stock_bitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  stock_bitmap_ = nullptr;
  pixels_ = nullptr;
  size_ = {};
}

PixelView DibCanvas::view() const {
  // GDI may batch its drawing; the bits hold all of it only after a flush.
  GdiFlush();
  return {pixels_, size_.width, size_.height, static_cast<std::size_t>(size_.width)};
}

PixelTarget DibCanvas::target() const {
  GdiFlush();
  return {pixels_, size_.width, size_.height, static_cast<std::size_t>(size_.width)};
}

}  // namespace showsaver
