#include "formats/bmp/bmp_encoder.h"

#include <algorithm>
#include <bit>

#include "formats/bmp/bmp_rle.h"
#include "formats/byte_writer.h"

namespace showsaver {
namespace {

using bmp::kBiBitfields;
using bmp::kBiRgb;
using bmp::kBiRle4;
using bmp::kBiRle8;

constexpr std::uint32_t kRgbBits = 0x00FFFFFF;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dpi
// The colour space of the later headers: sRGB, for pictures.
constexpr std::uint32_t kSrgbColourSpace = 0x73524742;  // 'sRGB'
constexpr std::uint32_t kPictureIntent = 4;             // LCS_GM_IMAGES
constexpr std::array<std::uint32_t, 3> kMasks555{0x7C00, 0x03E0, 0x001F};
constexpr std::array<std::uint32_t, 3> kMasks888{0xFF0000, 0x00FF00, 0x0000FF};

std::uint32_t header_size(BmpHeaderKind header) {
  switch (header) {
    case BmpHeaderKind::kCore:
      return bmp::kCoreHeaderSize;
    case BmpHeaderKind::kOs2:
      return 64;
    case BmpHeaderKind::kInfo:
      return bmp::kInfoHeaderSize;
    case BmpHeaderKind::kV4:
      return 108;
    case BmpHeaderKind::kV5:
      return 124;
  }
  return bmp::kInfoHeaderSize;
}

bool is_os2(BmpHeaderKind header) {
  return header == BmpHeaderKind::kCore || header == BmpHeaderKind::kOs2;
}

// The 40-byte header keeps its masks after it; the later ones hold them.
bool masks_follow_header(const BmpFormat& format) {
  return format.compression == kBiBitfields && format.header == BmpHeaderKind::kInfo;
}

void write_header(ByteWriter& out, const BmpParts& parts) {
  const BmpFormat& format = parts.format;
  const std::uint32_t size = header_size(format.header);
  const auto width = static_cast<std::uint32_t>(parts.size.width);
  const auto height = static_cast<std::uint32_t>(parts.size.height);
  const std::size_t start = out.size();
  out.u32(size);
  if (format.header == BmpHeaderKind::kCore) {
    out.u16(width);
    out.u16(height);
    out.u16(1);  // planes
    out.u16(static_cast<std::uint32_t>(format.bit_count));
    return;
  }
  out.u32(width);
  out.u32(format.top_down ? 0 - height : height);
  out.u16(1);  // planes
  out.u16(static_cast<std::uint32_t>(format.bit_count));
  out.u32(format.compression);
  out.u32(static_cast<std::uint32_t>(parts.pixel_data.size()));
  out.u32(kPixelsPerMetre);
  out.u32(kPixelsPerMetre);
  out.u32(static_cast<std::uint32_t>(parts.palette.size()));  // colours used
  out.u32(0);                                                 // all of them important
  if (format.header == BmpHeaderKind::kV4 || format.header == BmpHeaderKind::kV5) {
    for (const std::uint32_t mask : format.masks)
      out.u32(format.compression == kBiBitfields ? mask : 0);
    out.u32(0);  // no alpha
    out.u32(kSrgbColourSpace);
    out.zeros(36 + 12);  // end points and gammas, unused with sRGB
    if (format.header == BmpHeaderKind::kV5) {
      out.u32(kPictureIntent);
      out.zeros(12);  // no profile
    }
  }
  out.zeros(start + size - out.size());  // the OS/2 header's fields past Windows' ones
}

// One run of ones inside the pixel: a mask the decoder widens back.
bool holds_a_channel(std::uint32_t mask, int bit_count) {
  if (mask == 0 || (bit_count == 16 && mask > 0xFFFF)) return false;
  const std::uint32_t run = mask >> std::countr_zero(mask);
  return (run & (run + 1)) == 0;
}

std::string format_problem(const PixelImage& image, const BmpFormat& format) {
  if (image.width <= 0 || image.height <= 0) return "the picture has no pixels";
  if (image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) {
    return "the picture has " + std::to_string(image.pixels.size()) + " pixels for its size";
  }
  if (std::int64_t{image.width} * image.height > kMaxImagePixels) return "the picture is too large";
  std::string problem = bmp::pixel_format_problem(format.bit_count, format.compression,
                                                  is_os2(format.header), format.top_down);
  if (!problem.empty()) return problem;
  if (format.header == BmpHeaderKind::kCore) {
    if (format.compression != kBiRgb) return "the core header has no compression";
    if (format.top_down) return "the core header has no top-down rows";
    if (image.width > 0xFFFF || image.height > 0xFFFF)
      return "the core header holds sides up to 65535";
  }
  if (format.compression == kBiBitfields) {
    for (const std::uint32_t mask : format.masks) {
      if (!holds_a_channel(mask, format.bit_count)) {
        return "a bit field mask is not one run of ones inside the pixel";
      }
    }
  }
  return {};
}

// An 8-bit channel value in the bits of `mask`, its top bits kept.
std::uint32_t pack_channel(std::uint32_t value8, std::uint32_t mask) {
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const std::uint32_t value = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
  return (value << shift) & mask;
}

std::uint32_t pack_fields(std::uint32_t pixel, const std::array<std::uint32_t, 3>& masks) {
  return pack_channel((pixel >> 16) & 0xFF, masks[0]) |
         pack_channel((pixel >> 8) & 0xFF, masks[1]) | pack_channel(pixel & 0xFF, masks[2]);
}

// Bits packed from the left of each byte, as many indices as fit.
void write_indexed_row(std::span<const std::uint8_t> indices, int bit_count, ByteWriter& out) {
  std::uint32_t byte = 0;
  int filled = 0;
  for (const std::uint8_t index : indices) {
    byte = byte << bit_count | index;
    filled += bit_count;
    if (filled == 8) {
      out.u8(byte);
      byte = 0;
      filled = 0;
    }
  }
  if (filled > 0) out.u8(byte << (8 - filled));
}

void write_direct_row(std::span<const std::uint32_t> row, const BmpFormat& format,
                      ByteWriter& out) {
  const std::array<std::uint32_t, 3>& masks = format.compression == kBiBitfields ? format.masks
                                              : format.bit_count == 16           ? kMasks555
                                                                                 : kMasks888;
  for (const std::uint32_t pixel : row) {
    if (format.bit_count == 16) {
      out.u16(pack_fields(pixel, masks));
    } else if (format.bit_count == 24) {
      out.u24(pixel);
    } else {
      out.u32(pack_fields(pixel, masks));
    }
  }
}

// The picture's colours, ascending: the colour table of its indexed forms.
std::vector<std::uint32_t> colours_of(const PixelImage& image) {
  std::vector<std::uint32_t> colours(image.pixels.size());
  std::transform(image.pixels.begin(), image.pixels.end(), colours.begin(),
                 [](std::uint32_t pixel) { return pixel & kRgbBits; });
  std::sort(colours.begin(), colours.end());
  colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
  return colours;
}

std::vector<std::uint8_t> pixel_data(const PixelImage& image, const BmpFormat& format,
                                     const std::vector<std::uint32_t>& palette) {
  const bool rle = format.compression == kBiRle8 || format.compression == kBiRle4;
  const auto width = static_cast<std::size_t>(image.width);
  std::vector<std::uint8_t> indices(width);
  ByteWriter out;
  for (int r = 0; r < image.height; ++r) {
    const int y = format.top_down ? r : image.height - 1 - r;
    const std::span<const std::uint32_t> row(image.pixels.data() + std::size_t(y) * width, width);
    if (format.bit_count > 8) {
      write_direct_row(row, format, out);
      out.pad_to(4);
      continue;
    }
    for (std::size_t x = 0; x < width; ++x) {
      const auto at = std::lower_bound(palette.begin(), palette.end(), row[x] & kRgbBits);
      indices[x] = static_cast<std::uint8_t>(at - palette.begin());
    }
    if (rle) {
      bmp::encode_rle_row(indices, format.compression == kBiRle4, out);
    } else {
      write_indexed_row(indices, format.bit_count, out);
      out.pad_to(4);
    }
  }
  if (rle) bmp::end_rle_bitmap(out);
  return out.take();
}

}  // namespace

std::variant<std::vector<std::uint8_t>, std::string> encode_bmp(const PixelImage& image,
                                                                const BmpFormat& format) {
  if (std::string problem = format_problem(image, format); !problem.empty()) return problem;
  std::vector<std::uint32_t> palette;
  if (format.bit_count <= 8) {
    palette = colours_of(image);
    const std::size_t room = std::size_t{1} << format.bit_count;
    if (palette.size() > room) {
      return "the picture has " + std::to_string(palette.size()) + " colours; " +
             std::to_string(format.bit_count) + " bits a pixel hold " + std::to_string(room);
    }
  }
  const std::vector<std::uint8_t> data = pixel_data(image, format, palette);
  return assemble_bmp({format, {image.width, image.height}, std::move(palette), data});
}

std::vector<std::uint8_t> assemble_bmp(const BmpParts& parts) {
  const BmpFormat& format = parts.format;
  const bool core = format.header == BmpHeaderKind::kCore;
  const std::size_t entries =
      core && format.bit_count <= 8
          ? std::max(parts.palette.size(), std::size_t{1} << format.bit_count)
          : parts.palette.size();
  const std::size_t offset = bmp::kFileHeaderSize + header_size(format.header) +
                             (masks_follow_header(format) ? 12 : 0) + entries * (core ? 3 : 4);
  ByteWriter out;
  out.reserve(offset + parts.pixel_data.size());
  out.text("BM");
  out.u32(static_cast<std::uint32_t>(offset + parts.pixel_data.size()));
  out.u32(0);  // reserved
  out.u32(static_cast<std::uint32_t>(offset));
  write_header(out, parts);
  if (masks_follow_header(format)) {
    for (const std::uint32_t mask : format.masks) out.u32(mask);
  }
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint32_t colour = i < parts.palette.size() ? parts.palette[i] & kRgbBits : 0;
    // Blue, green, red; the core header's entries have no fourth byte.
    if (core) {
      out.u24(colour);
    } else {
      out.u32(colour);
    }
  }
  out.append(parts.pixel_data);
  return out.take();
}

}  // namespace showsaver
