// The size a picture file's header claims, read by this program itself: the
// image library refuses to even read the header of a picture larger than its
// security policy allows (Debian's: 16000 pixels a side), and would then have
// showpack report "0x0" instead of the size that is too large.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "picture_import.h"

namespace showsaver::showpack {

// Width and height as the header states them (before any EXIF orientation);
// nothing when the format has no size this reads or the header is cut short.
std::optional<Size> claimed_picture_size(std::span<const std::uint8_t> file, PictureFormat format);

}  // namespace showsaver::showpack
