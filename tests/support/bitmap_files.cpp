#include "support/bitmap_files.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <stdexcept>

#include "formats/byte_writer.h"

namespace showsaver::test {
namespace {

using showsaver::ByteWriter;

std::uint32_t header_size(BmpHeader header) {
  switch (header) {
    case BmpHeader::kCore:
      return 12;
    case BmpHeader::kOs2:
      return 64;
    case BmpHeader::kInfo:
      return 40;
    case BmpHeader::kV4:
      return 108;
    case BmpHeader::kV5:
      return 124;
  }
  return 40;
}

std::vector<std::uint32_t> build_palette(const PixelImage& image, int bit_count) {
  std::vector<std::uint32_t> palette;
  for (std::uint32_t pixel : image.pixels) {
    if (std::find(palette.begin(), palette.end(), pixel) == palette.end()) palette.push_back(pixel);
  }
  if (palette.size() > (std::size_t{1} << bit_count)) {
    throw std::invalid_argument("too many colours for the bit count");
  }
  return palette;
}

std::uint32_t index_of(const std::vector<std::uint32_t>& palette, std::uint32_t pixel) {
  return static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), pixel) -
                                    palette.begin());
}

std::uint32_t pack_channel(std::uint32_t value8, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const std::uint32_t value = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
  return (value << shift) & mask;
}

std::uint32_t pack_fields(std::uint32_t pixel, const std::array<std::uint32_t, 3>& masks) {
  return pack_channel((pixel >> 16) & 0xFF, masks[0]) |
         pack_channel((pixel >> 8) & 0xFF, masks[1]) | pack_channel(pixel & 0xFF, masks[2]);
}

void write_header(ByteWriter& out, const PixelImage& image, const BmpLayout& layout,
                  std::uint32_t colors) {
  const std::uint32_t size = header_size(layout.header);
  out.u32(size);
  if (layout.header == BmpHeader::kCore) {
    out.u16(static_cast<std::uint32_t>(image.width));
    out.u16(static_cast<std::uint32_t>(image.height));
    out.u16(1);
    out.u16(static_cast<std::uint32_t>(layout.bit_count));
    return;
  }
  out.u32(static_cast<std::uint32_t>(image.width));
  out.u32(static_cast<std::uint32_t>(layout.top_down ? -image.height : image.height));
  out.u16(1);
  out.u16(static_cast<std::uint32_t>(layout.bit_count));
  out.u32(layout.compression);
  out.u32(0);  // image size, left to the reader
  out.u32(2835);
  out.u32(2835);
  out.u32(colors);
  out.u32(0);
  const std::size_t end = out.size() + (size - 40);
  if (layout.compression == 3 && layout.header != BmpHeader::kOs2) {
    for (std::uint32_t mask : layout.masks) out.u32(mask);
  }
  while (out.size() < end) out.u8(0);
}

void write_rle_row(ByteWriter& out, const std::vector<std::uint32_t>& indices, bool four_bit) {
  std::size_t x = 0;
  while (x < indices.size()) {
    std::size_t run = 1;
    while (x + run < indices.size() && run < 255 && indices[x + run] == indices[x]) ++run;
    std::size_t literal = 0;
    while (
        run == 1 && x + literal < indices.size() && literal < 255 &&
        (x + literal + 1 >= indices.size() || indices[x + literal + 1] != indices[x + literal])) {
      ++literal;
    }
    if (run == 1 && literal >= 3) {
      out.u8(0);
      out.u8(static_cast<std::uint32_t>(literal));
      std::size_t written = 0;
      for (std::size_t i = 0; i < literal; i += four_bit ? 2 : 1) {
        const std::uint32_t high = indices[x + i];
        const std::uint32_t low = (four_bit && i + 1 < literal) ? indices[x + i + 1] : 0;
        out.u8(four_bit ? (high << 4) | low : high);
        ++written;
      }
      if (written % 2 != 0) out.u8(0);
      x += literal;
      continue;
    }
    out.u8(static_cast<std::uint32_t>(run));
    out.u8(four_bit ? (indices[x] << 4) | indices[x] : indices[x]);
    x += run;
  }
  out.u8(0);
  out.u8(0);
}

void write_pixels(ByteWriter& out, const PixelImage& image, const BmpLayout& layout,
                  const std::vector<std::uint32_t>& palette) {
  const bool rle = layout.compression == 1 || layout.compression == 2;
  for (int r = 0; r < image.height; ++r) {
    const int y = layout.top_down ? r : image.height - 1 - r;
    const std::uint32_t* row = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
    if (rle) {
      std::vector<std::uint32_t> indices;
      for (int x = 0; x < image.width; ++x) indices.push_back(index_of(palette, row[x]));
      write_rle_row(out, indices, layout.compression == 2);
      continue;
    }
    const std::size_t start = out.size();
    if (layout.bit_count <= 8) {
      std::uint32_t byte = 0;
      int filled = 0;
      for (int x = 0; x < image.width; ++x) {
        byte = (byte << layout.bit_count) | index_of(palette, row[x]);
        filled += layout.bit_count;
        if (filled == 8) {
          out.u8(byte);
          byte = 0;
          filled = 0;
        }
      }
      if (filled > 0) out.u8(byte << (8 - filled));
    } else {
      for (int x = 0; x < image.width; ++x) {
        const std::uint32_t pixel = row[x];
        if (layout.bit_count == 24) {
          out.u8(pixel & 0xFF);
          out.u8((pixel >> 8) & 0xFF);
          out.u8((pixel >> 16) & 0xFF);
        } else if (layout.bit_count == 16) {
          out.u16(layout.compression == 3 ? pack_fields(pixel, layout.masks)
                                        : pack_fields(pixel, {0x7C00, 0x03E0, 0x001F}));
        } else {
          out.u32(layout.compression == 3 ? pack_fields(pixel, layout.masks) : pixel & 0xFFFFFF);
        }
      }
    }
    while ((out.size() - start) % 4 != 0) out.u8(0);
  }
  if (rle) {
    out.u8(0);
    out.u8(1);
  }
}

}  // namespace

std::vector<std::uint8_t> encode_bmp(const PixelImage& image, const BmpLayout& layout) {
  if (layout.header == BmpHeader::kCore && (layout.top_down || layout.compression != 0)) {
    throw std::invalid_argument("the core header has no top-down rows or compression");
  }
  const std::vector<std::uint32_t> palette =
      layout.bit_count <= 8 ? build_palette(image, layout.bit_count) : std::vector<std::uint32_t>{};
  ByteWriter out;
  out.u8('B');
  out.u8('M');
  out.u32(0);  // file size, patched below
  out.u32(0);
  out.u32(0);  // pixel offset, patched below
  write_header(out, image, layout, static_cast<std::uint32_t>(palette.size()));
  // The core header's table always has 2^n entries; the others say how many.
  const std::size_t entries = layout.header == BmpHeader::kCore && layout.bit_count <= 8
                                  ? std::size_t{1} << layout.bit_count
                                  : palette.size();
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint32_t color = i < palette.size() ? palette[i] : 0;
    out.u8(color & 0xFF);
    out.u8((color >> 8) & 0xFF);
    out.u8((color >> 16) & 0xFF);
    if (layout.header != BmpHeader::kCore) out.u8(0);
  }
  const std::size_t pixel_offset = out.size();
  write_pixels(out, image, layout, palette);
  out.patch_u32(2, static_cast<std::uint32_t>(out.size()));
  out.patch_u32(10, static_cast<std::uint32_t>(pixel_offset));
  return out.take();
}

PixelImage make_test_picture(int width, int height, std::uint32_t seed) {
  PixelImage image{width, height, {}};
  std::uint32_t state = seed * 2654435761u + 1;
  for (int i = 0; i < width * height; ++i) {
    state = state * 1664525u + 1013904223u;
    image.pixels.push_back(state >> 8);
  }
  return image;
}

PixelImage make_solid_picture(int width, int height, std::uint32_t color) {
  return PixelImage{width, height,
                    std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, color)};
}

void write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace showsaver::test
