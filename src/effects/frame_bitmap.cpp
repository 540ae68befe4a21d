#include "effects/frame_bitmap.h"

#include "effects/image_copy.h"

namespace showsaver {

FrameBitmap::FrameBitmap(Gdi& gdi, Size size) : gdi_(gdi), size_(size) {
  bitmap_ = gdi_.CreateColorBitmap(size.width, size.height);
  if (bitmap_) dc_ = gdi_.CreateCompatibleDC(DcHandle{});
  if (dc_) previous_ = gdi_.SelectObject(dc_, bitmap_);
  if (!previous_ || !gdi_.EditImage(dc_)) {
    copy_ = PixelImage{size.width, size.height, {}};
    copy_->pixels.resize(static_cast<std::size_t>(size.width) *
                         static_cast<std::size_t>(size.height));
  }
}

FrameBitmap::~FrameBitmap() {
  if (previous_) gdi_.SelectObject(dc_, previous_);
  if (dc_) gdi_.DeleteDC(dc_);
  if (bitmap_) gdi_.DeleteObject(bitmap_);
}

PixelTarget FrameBitmap::pixels() {
  if (copy_) {
    return {copy_->pixels.data(), copy_->width, copy_->height,
            static_cast<std::size_t>(copy_->width)};
  }
  // Asked again for every frame: on Windows this also flushes GDI's queue,
  // so the last BitBlt out of the bitmap is done before its pixels change.
  if (const auto target = gdi_.EditImage(dc_)) return *target;
  return {};
}

void FrameBitmap::show(DcHandle destination) {
  if (copy_) {
    put_image(gdi_, destination, *copy_);
    return;
  }
  gdi_.BitBlt(destination, 0, 0, size_.width, size_.height, dc_, 0, 0, rop::SRCCOPY);
}

}  // namespace showsaver
