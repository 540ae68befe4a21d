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

enum class PictureFormat { bmp, png, jpeg, gif, webp, heic, unknown };

// The format by the file's first bytes: only these coders ever see a file,
// as the library knows many more formats, some of which run programs or
// read other files.
PictureFormat sniff_picture(std::span<const std::uint8_t> file);
const char* picture_format_name(PictureFormat format);
// Whether this build's image library decodes the format (HEIC needs libheif).
bool picture_format_decodes(PictureFormat format);

// The most pixels a picture may hold when it is decoded, and when it is
// stored: the player's own limit for any picture (a quarter of a gibibyte).
inline constexpr std::int64_t kMaxPicturePixels = kMaxImagePixels;

// What a picture's header says, read without decoding its pixels.
struct PictureHeader {
  PictureFormat format = PictureFormat::unknown;
  Size size;            // upright, after the EXIF orientation
  bool turned = false;  // the EXIF orientation turns it by a quarter
};

// The header, or a sentence saying why the file is no picture showpack reads.
std::variant<PictureHeader, std::string> read_picture_header(std::span<const std::uint8_t> file);

// The size a picture is decoded at to be stored at `fitted`: its own, but a
// JPEG's is divided by the largest of 2, 4 and 8 that keeps it at least
// `fitted` (the JPEG decoder's reduced decoding).
Size decoded_size(const PictureHeader& header, Size fitted);

// Why the picture cannot be stored at `fitted` (or decoded on the way),
// stating the limit and the real sizes; nothing when it can.
std::optional<std::string> picture_size_problem(const PictureHeader& header, Size fitted);

struct ImportedPicture {
  std::vector<std::uint8_t> bmp;  // the bitmap file to store
  Size size;
  bool converted = false;  // false: the input bytes themselves
};

// Decodes any supported picture file to pixels (top-down 0x00RRGGBB),
// transparency flattened onto `back`; a sentence on failure.  A JPEG is
// decoded at the reduced size that still covers `at_least`, when given.
std::variant<PixelImage, std::string> decode_picture(std::span<const std::uint8_t> file, Rgb32 back,
                                                     std::optional<Size> at_least = std::nullopt);

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
