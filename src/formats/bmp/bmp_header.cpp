#include "formats/bmp/bmp_header.h"

#include <algorithm>

#include "formats/byte_reader.h"
#include "platform/pixel_image.h"

namespace showsaver::bmp {
namespace {

enum class HeaderKind { kCore, kOs2, kWindows };

bool is_windows_size(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size >= 108;
}

struct HeaderFields {
  HeaderKind kind = HeaderKind::kWindows;
  std::uint32_t size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  int bit_count = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t colors_used = 0;
};

HeaderFields read_fields(const ByteReader& in, std::uint32_t size) {
  HeaderFields f;
  f.size = size;
  const std::uint64_t h = kFileHeaderSize;
  if (size == kCoreHeaderSize) {
    f.kind = HeaderKind::kCore;
    f.width = in.u16(h + 4);
    f.height = in.u16(h + 6);
    f.bit_count = in.u16(h + 10);
    return f;
  }
  f.kind = is_windows_size(size) ? HeaderKind::kWindows : HeaderKind::kOs2;
  f.width = in.i32(h + 4);
  f.height = in.i32(h + 8);
  f.bit_count = in.u16(h + 14);
  // The OS/2 2.x header may end after any field; missing fields are zero.
  if (size >= 20) f.compression = in.u32(h + 16);
  if (size >= 36) f.colors_used = in.u32(h + 32);
  return f;
}

std::string check_format(const HeaderFields& f) {
  if (f.width <= 0) return "the picture width is not positive";
  if (f.height == 0) return "the picture height is zero";
  std::string problem = pixel_format_problem(f.bit_count, f.compression,
                                             f.kind != HeaderKind::kWindows, f.height < 0);
  if (!problem.empty()) return problem;
  const std::int64_t height = f.height < 0 ? -f.height : f.height;
  if (f.width > kMaxImagePixels || height > kMaxImagePixels / f.width) {
    return "the picture is too large";
  }
  return {};
}

// Reads the masks; returns the offset just after them, or 0 when truncated.
std::uint64_t read_masks(const ByteReader& in, const HeaderFields& f, BmpLayout& layout) {
  const std::uint64_t header_end = kFileHeaderSize + f.size;
  // A 40-byte header is followed by the three masks; later headers hold them.
  const std::uint64_t at = f.size == kInfoHeaderSize ? header_end : kFileHeaderSize + 40;
  if (!in.has(at, 12)) return 0;
  for (int i = 0; i < 3; ++i) layout.masks[static_cast<std::size_t>(i)] = in.u32(at + 4 * i);
  return f.size == kInfoHeaderSize ? header_end + 12 : header_end;
}

std::string read_palette(const ByteReader& in, const HeaderFields& f, std::uint64_t start,
                         std::uint64_t file_offset, BmpLayout& layout) {
  if (f.bit_count > 8) return {};
  const std::uint64_t full = std::uint64_t{1} << f.bit_count;
  std::uint64_t wanted = f.colors_used != 0 ? std::min<std::uint64_t>(f.colors_used, full) : full;
  const std::uint64_t entry = f.kind == HeaderKind::kCore ? 3 : 4;
  // Some writers store a shorter table and point the pixel offset past it.
  std::uint64_t end = in.size();
  if (file_offset > start) end = std::min<std::uint64_t>(end, file_offset);
  const std::uint64_t available = end > start ? (end - start) / entry : 0;
  wanted = std::min(wanted, available);
  if (wanted == 0) return "the colour table is missing";
  layout.palette.resize(wanted);
  for (std::uint64_t i = 0; i < wanted; ++i) {
    const std::uint64_t at = start + i * entry;
    layout.palette[i] =
        (std::uint32_t{in.u8(at + 2)} << 16) | (std::uint32_t{in.u8(at + 1)} << 8) | in.u8(at);
  }
  return {};
}

}  // namespace

std::string pixel_format_problem(int bit_count, std::uint32_t compression, bool os2_header,
                                 bool top_down) {
  switch (bit_count) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return "unsupported bits per pixel: " + std::to_string(bit_count);
  }
  switch (compression) {
    case kBiRgb:
      break;
    case kBiRle8:
      if (bit_count != 8) return "BI_RLE8 needs 8 bits per pixel";
      break;
    case kBiRle4:
      if (bit_count != 4) return "BI_RLE4 needs 4 bits per pixel";
      break;
    case kBiBitfields:
      if (os2_header) return "unsupported compression: OS/2 Huffman 1D";
      if (bit_count != 16 && bit_count != 32) return "BI_BITFIELDS needs 16 or 32 bits per pixel";
      break;
    default:
      return "unsupported compression: " + std::to_string(compression);
  }
  if (top_down && (compression == kBiRle8 || compression == kBiRle4)) {
    return "a compressed bitmap cannot be top-down";
  }
  return {};
}

std::variant<BmpLayout, std::string> parse_bmp_layout(std::span<const std::uint8_t> file) {
  const ByteReader in(file);
  // The signature first, so that a file of another kind is named as such however short.
  if (in.u8(0) != 'B' || in.u8(1) != 'M') return std::string("the file is not a Windows bitmap");
  if (!in.has(0, kFileHeaderSize + 4)) return std::string("the file is too short for a bitmap");
  const std::uint32_t file_offset = in.u32(10);
  const std::uint32_t size = in.u32(kFileHeaderSize);
  if (size != kCoreHeaderSize && size < 16) {
    return "unsupported bitmap header size: " + std::to_string(size);
  }
  if (!in.has(kFileHeaderSize, size)) return std::string("the bitmap header is truncated");
  const HeaderFields f = read_fields(in, size);
  if (std::string problem = check_format(f); !problem.empty()) return problem;

  BmpLayout layout;
  layout.width = f.width;
  layout.height = f.height < 0 ? -f.height : f.height;
  layout.top_down = f.height < 0;
  layout.bit_count = f.bit_count;
  layout.compression = f.compression;
  std::uint64_t after_headers = kFileHeaderSize + size;
  if (f.compression == kBiBitfields) {
    after_headers = read_masks(in, f, layout);
    if (after_headers == 0) return std::string("the bit field masks are truncated");
  }
  if (std::string problem = read_palette(in, f, after_headers, file_offset, layout);
      !problem.empty()) {
    return problem;
  }
  const std::uint64_t palette_end =
      after_headers + layout.palette.size() * (f.kind == HeaderKind::kCore ? 3u : 4u);
  if (file_offset == 0) {
    layout.pixel_offset = palette_end;
  } else if (file_offset < after_headers) {
    return std::string("the pixel data offset points into the headers");
  } else {
    layout.pixel_offset = file_offset;
  }
  if (layout.pixel_offset > in.size()) return std::string("the pixel data is missing");
  return layout;
}

}  // namespace showsaver::bmp
