// The picture area as a desktop puts it on screen: the device context last
// refreshed, looked at in place where the GDI holds its pixels, else a copy
// read out of it (a monochrome bitmap, a GDI that draws elsewhere).
#pragma once

#include <cstddef>
#include <optional>

#include "platform/gdi.h"
#include "platform/pixel_image.h"

namespace showsaver {

class ShownPicture {
 public:
  explicit ShownPicture(const Gdi& gdi) : gdi_(gdi) {}

  // Takes `source` as the picture; false when it cannot be read.
  bool show(DcHandle source) {
    shown_ = source;
    // The last copy goes first, so that two are never held at once.
    copy_.reset();
    if (gdi_.ViewImage(source)) return true;
    copy_ = gdi_.ReadImage(source);
    return copy_.has_value();
  }

  void clear() {
    shown_ = DcHandle{};
    copy_.reset();
  }

  bool has_source() const { return static_cast<bool>(shown_); }

  // The pixels as they are now: a view stays current with later drawing.
  std::optional<PixelView> pixels() const {
    if (copy_) {
      return PixelView{copy_->pixels.data(), copy_->width, copy_->height,
                       static_cast<std::size_t>(copy_->width)};
    }
    return gdi_.ViewImage(shown_);
  }

 private:
  const Gdi& gdi_;
  DcHandle shown_;
  std::optional<PixelImage> copy_;
};

}  // namespace showsaver
