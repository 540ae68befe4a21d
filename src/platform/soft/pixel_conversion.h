// What happens to a source pixel on its way into a bitmap of another format.
//
// Colour to monochrome: a pixel becomes 1 exactly where its whole 32-bit value
// equals the source DC's background colour as 0x00RRGGBB, otherwise 0.
// Monochrome to colour: 0 takes the destination DC's text colour, 1 its
// background colour.  This is how GDI converts, and it is what the mask and
// the hole of the transparent sprite blit are built on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/gdi.h"
#include "platform/soft/pixel_bitmap.h"

namespace showsaver::soft {

struct DcColors {
  ColorRef background = rgb(255, 255, 255);
  ColorRef text = rgb(0, 0, 0);
};

class PixelConversion {
 public:
  enum class Kind { kNone, kColorToMono, kMonoToColor };

  PixelConversion() = default;
  PixelConversion(PixelFormat source, PixelFormat destination, const DcColors& source_colors,
                  const DcColors& destination_colors);

  Kind kind() const { return kind_; }

  std::uint32_t operator()(std::uint32_t pixel) const {
    switch (kind_) {
      case Kind::kColorToMono:
        return pixel == key_ ? kMonoOne : kMonoZero;
      case Kind::kMonoToColor:
        return (pixel & one_) | (~pixel & zero_);
      case Kind::kNone:
        break;
    }
    return pixel;
  }

  // One loop per kind, so that each compiles to straight-line vector code
  // (a plain copy is memcpy); the rows must not overlap.
  void convert_row(const std::uint32_t* source, std::uint32_t* destination, std::size_t n) const {
    switch (kind_) {
      case Kind::kNone:
        if (n != 0) std::memcpy(destination, source, n * sizeof(std::uint32_t));
        return;
      case Kind::kColorToMono: {
        const std::uint32_t key = key_;
        for (std::size_t i = 0; i < n; ++i) {
          destination[i] = source[i] == key ? kMonoOne : kMonoZero;
        }
        return;
      }
      case Kind::kMonoToColor: {
        const std::uint32_t one = one_;
        const std::uint32_t zero = zero_;
        for (std::size_t i = 0; i < n; ++i) {
          destination[i] = (source[i] & one) | (~source[i] & zero);
        }
        return;
      }
    }
  }

 private:
  Kind kind_ = Kind::kNone;
  std::uint32_t key_ = 0;
  std::uint32_t zero_ = 0;
  std::uint32_t one_ = 0;
};

inline PixelConversion::PixelConversion(PixelFormat source, PixelFormat destination,
                                        const DcColors& source_colors,
                                        const DcColors& destination_colors) {
  if (source == PixelFormat::kColor && destination == PixelFormat::kMonochrome) {
    kind_ = Kind::kColorToMono;
    key_ = raw(to_pixel(source_colors.background));
  } else if (source == PixelFormat::kMonochrome && destination == PixelFormat::kColor) {
    kind_ = Kind::kMonoToColor;
    zero_ = raw(to_pixel(destination_colors.text));
    one_ = raw(to_pixel(destination_colors.background));
  }
}

// The DC's brush: every DC here keeps GDI's default white brush.
inline std::uint32_t default_pattern(PixelFormat format) {
  return format == PixelFormat::kColor ? 0x00FFFFFFu : kMonoOne;
}

}  // namespace showsaver::soft
