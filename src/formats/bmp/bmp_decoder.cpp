#include "formats/bmp/bmp_decoder.h"

#include <bit>
#include <optional>

#include "formats/bmp/bmp_header.h"
#include "formats/bmp/bmp_rle.h"
#include "formats/byte_reader.h"

namespace showsaver {
namespace {

using bmp::BmpLayout;

// One colour channel of a bit-field pixel, widened to 8 bits by repeating its
// bits (5 bits abcde become abcdeabc), so that full scale stays full scale.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  std::uint32_t extract(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8) return value >> (bits - 8);
    std::uint32_t wide = 0;
    for (int filled = 0; filled < 8; filled += bits) {
      const int move = 8 - filled - bits;
      wide |= move >= 0 ? value << move : value >> -move;
    }
    return wide & 0xFF;
  }
};

std::optional<Channel> make_channel(std::uint32_t mask) {
  Channel channel;
  channel.mask = mask;
  if (mask == 0) return channel;
  channel.shift = std::countr_zero(mask);
  const std::uint32_t bits = mask >> channel.shift;
  if ((bits & (bits + 1)) != 0) return std::nullopt;  // not one run of ones
  channel.bits = std::popcount(bits);
  return channel;
}

class RowDecoder {
 public:
  RowDecoder(const BmpLayout& layout, const std::array<Channel, 3>& channels)
      : layout_(layout), channels_(channels) {}

  void decode(const std::uint8_t* row, std::uint32_t* out, std::int64_t width) const {
    for (std::int64_t x = 0; x < width; ++x) out[x] = pixel(row, x);
  }

 private:
  std::uint32_t pixel(const std::uint8_t* row, std::int64_t x) const {
    switch (layout_.bit_count) {
      case 1:
        return indexed((row[x / 8] >> (7 - x % 8)) & 0x01);
      case 4:
        return indexed((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F);
      case 8:
        return indexed(row[x]);
      case 16:
        return fields(static_cast<std::uint32_t>(row[2 * x] | (row[2 * x + 1] << 8)));
      case 24:
        return (std::uint32_t{row[3 * x + 2]} << 16) | (std::uint32_t{row[3 * x + 1]} << 8) |
               row[3 * x];
      default: {
        const std::uint8_t* p = row + 4 * x;
        const std::uint32_t word = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                   (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
        // BI_RGB keeps the fourth byte unused; the pixel's top byte stays 0.
        return layout_.compression == bmp::kBiBitfields ? fields(word) : word & 0x00FFFFFF;
      }
    }
  }

  std::uint32_t indexed(std::uint32_t index) const {
    // An index past the colour table draws black.
    return index < layout_.palette.size() ? layout_.palette[index] : 0x000000u;
  }

  std::uint32_t fields(std::uint32_t word) const {
    return (channels_[0].extract(word) << 16) | (channels_[1].extract(word) << 8) |
           channels_[2].extract(word);
  }

  const BmpLayout& layout_;
  const std::array<Channel, 3>& channels_;
};

std::optional<std::string> decode_uncompressed(const BmpLayout& layout, const ByteReader& in,
                                               PixelImage& image) {
  std::array<std::uint32_t, 3> masks = layout.masks;
  if (layout.compression != bmp::kBiBitfields) {
    // Without masks, 16 bits are 5-5-5 and 32 bits are 8-8-8.
    masks = layout.bit_count == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                   : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
  }
  std::array<Channel, 3> channels;
  for (std::size_t i = 0; i < 3; ++i) {
    const auto channel = make_channel(masks[i]);
    if (!channel) return std::string("the bit field masks are not contiguous");
    channels[i] = *channel;
  }
  const std::uint64_t width = static_cast<std::uint64_t>(layout.width);
  const std::uint64_t row_bytes = (width * layout.bit_count + 7) / 8;
  const std::uint64_t stride = (width * layout.bit_count + 31) / 32 * 4;
  const std::uint64_t height = static_cast<std::uint64_t>(layout.height);
  // The last row may go without its padding.
  if (!in.has(layout.pixel_offset, stride * (height - 1) + row_bytes)) {
    return std::string("the pixel data is truncated");
  }
  // Only now, with the data known to be there, is the picture allocated.
  image.pixels.assign(static_cast<std::size_t>(width * height), 0u);
  const RowDecoder rows(layout, channels);
  for (std::uint64_t r = 0; r < height; ++r) {
    const std::uint64_t y = layout.top_down ? r : height - 1 - r;
    rows.decode(in.bytes().data() + layout.pixel_offset + r * stride,
                image.pixels.data() + y * width, layout.width);
  }
  return std::nullopt;
}

}  // namespace

std::variant<PixelImage, std::string> decode_bmp(std::span<const std::uint8_t> file) {
  auto parsed = bmp::parse_bmp_layout(file);
  if (auto* problem = std::get_if<std::string>(&parsed)) return *problem;
  const BmpLayout& layout = std::get<BmpLayout>(parsed);
  PixelImage image;
  image.width = static_cast<int>(layout.width);
  image.height = static_cast<int>(layout.height);
  const ByteReader in(file);
  std::optional<std::string> problem;
  if (layout.compression == bmp::kBiRle8 || layout.compression == bmp::kBiRle4) {
    // Runs may skip any part of the picture, so it starts out black in full.
    image.pixels.assign(static_cast<std::size_t>(layout.width * layout.height), 0u);
    problem = bmp::decode_rle(layout, file.subspan(layout.pixel_offset), image);
  } else {
    problem = decode_uncompressed(layout, in, image);
  }
  if (problem) return *problem;
  return image;
}

}  // namespace showsaver
