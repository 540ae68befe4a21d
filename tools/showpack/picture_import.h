// Pictures in any common format to the Windows bitmaps a show stores.
//
// A Windows bitmap that needs no scaling is stored as it is.  Anything else —
// PNG, JPEG (turned upright by its EXIF orientation), GIF (its first frame),
// WebP, or a bitmap to be fitted — is decoded, flattened onto the show's
// background colour where it is transparent, scaled when a fit asks for it,
// and stored as an uncompressed bottom-up bitmap: 8 bits with a colour table
// when it has at most 256 colours, else 24 bits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "fit.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/pixel_image.h"

namespace showsaver::showpack {

// Starts the image library once per process; every function here does.
void start_image_library();

struct ImportedPicture {
  std::vector<std::uint8_t> bmp;  // the bitmap file to store
  Size size;
  bool converted = false;  // false: the input bytes themselves
};

// Decodes any supported picture file to pixels (top-down 0x00RRGGBB),
// transparency flattened onto `back`; a sentence on failure.
std::variant<PixelImage, std::string> decode_picture(std::span<const std::uint8_t> file,
                                                     Rgb32 back);

// Scales `image` to `size` with a Lanczos filter.
PixelImage scale_picture(const PixelImage& image, Size size);

// The bitmap file for `image`: 8 bits with a colour table (sorted by colour)
// when it has at most 256 colours, else 24 bits.
std::vector<std::uint8_t> encode_stored_bmp(const PixelImage& image);

// The picture to store for `file`.  With `fit`, the picture is scaled to fit
// `area` (cover: and cut to it, centred).
std::variant<ImportedPicture, std::string> import_picture(std::span<const std::uint8_t> file,
                                                          std::optional<Fit> fit, Size area,
                                                          Rgb32 back);

}  // namespace showsaver::showpack
