#include "formats/bmp/bmp_rle.h"

#include <cstdint>

namespace showsaver::bmp {
namespace {

// The second byte after a zero count: an escape rather than a literal stretch.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;
constexpr std::size_t kLongestRun = 255;

class RleCanvas {
 public:
  RleCanvas(const BmpLayout& layout, PixelImage& image) : layout_(layout), image_(image) {}

  // The file's rows run bottom-up.
  void put(std::uint32_t index) {
    if (x_ < image_.width && y_ < image_.height) {
      const std::int64_t row = image_.height - 1 - y_;
      const std::uint32_t color =
          index < layout_.palette.size() ? layout_.palette[index] : 0x000000u;
      image_.pixels[static_cast<std::size_t>(row * image_.width + x_)] = color;
    }
    ++x_;
  }
  void end_of_line() {
    x_ = 0;
    ++y_;
  }
  void move(std::int64_t dx, std::int64_t dy) {
    x_ += dx;
    y_ += dy;
  }
  bool finished() const { return y_ >= image_.height; }

 private:
  const BmpLayout& layout_;
  PixelImage& image_;
  std::int64_t x_ = 0;
  std::int64_t y_ = 0;
};

// The i-th pixel index of a run of packed nibbles or bytes.
std::uint32_t packed_index(bool four_bit, const std::uint8_t* bytes, int i) {
  if (!four_bit) return bytes[i];
  const std::uint8_t byte = bytes[i / 2];
  return (i % 2 == 0) ? (byte >> 4) : (byte & 0x0F);
}

// How many pixels from `x` on repeat the one at `x`.
std::size_t run_at(std::span<const std::uint8_t> indices, std::size_t x) {
  std::size_t run = 1;
  while (x + run < indices.size() && run < kLongestRun && indices[x + run] == indices[x]) ++run;
  return run;
}

// How many pixels from `x` on change at every step: a literal stretch.
std::size_t changes_at(std::span<const std::uint8_t> indices, std::size_t x) {
  std::size_t length = 1;
  while (x + length < indices.size() && length < kLongestRun &&
         (x + length + 1 >= indices.size() || indices[x + length + 1] != indices[x + length])) {
    ++length;
  }
  return length;
}

// Absolute mode: the count, the indices packed as the row is, padded to a
// 16-bit boundary.
void write_literal(std::span<const std::uint8_t> indices, bool four_bit, ByteWriter& out) {
  out.u8(0);
  out.u8(static_cast<std::uint32_t>(indices.size()));
  std::size_t written = 0;
  for (std::size_t i = 0; i < indices.size(); i += four_bit ? 2 : 1, ++written) {
    const std::uint32_t low = four_bit && i + 1 < indices.size() ? indices[i + 1] : 0;
    out.u8(four_bit ? std::uint32_t{indices[i]} << 4 | low : indices[i]);
  }
  if (written % 2 != 0) out.u8(0);
}

}  // namespace

void encode_rle_row(std::span<const std::uint8_t> indices, bool four_bit, ByteWriter& out) {
  for (std::size_t x = 0; x < indices.size();) {
    const std::size_t run = run_at(indices, x);
    // A stretch of one or two would read as an escape code.
    const std::size_t literal = run == 1 ? changes_at(indices, x) : 0;
    if (literal >= 3) {
      write_literal(indices.subspan(x, literal), four_bit, out);
      x += literal;
      continue;
    }
    const std::uint32_t index = indices[x];
    out.u8(static_cast<std::uint32_t>(run));
    out.u8(four_bit ? index << 4 | index : index);
    x += run;
  }
  out.u8(0);
  out.u8(kEndOfLine);
}

void end_rle_bitmap(ByteWriter& out) {
  out.u8(0);
  out.u8(kEndOfBitmap);
}

std::optional<std::string> decode_rle(const BmpLayout& layout, std::span<const std::uint8_t> data,
                                      PixelImage& image) {
  const bool four_bit = layout.compression == kBiRle4;
  RleCanvas canvas(layout, image);
  std::size_t at = 0;
  while (!canvas.finished()) {
    if (data.size() - at < 2) return std::string("the compressed pixel data is truncated");
    const int count = data[at];
    const std::uint8_t value = data[at + 1];
    at += 2;
    if (count > 0) {
      // An encoded run repeats one byte: both of its nibbles alternately for RLE4.
      for (int i = 0; i < count; ++i)
        canvas.put(packed_index(four_bit, &value, i % (four_bit ? 2 : 1)));
      continue;
    }
    if (value == kEndOfLine) {
      canvas.end_of_line();
    } else if (value == kEndOfBitmap) {
      return std::nullopt;
    } else if (value == kDelta) {
      if (data.size() - at < 2) return std::string("the compressed pixel data is truncated");
      canvas.move(data[at], data[at + 1]);
      at += 2;
    } else {
      // Absolute mode: `value` literal pixels, padded to a 16-bit boundary.
      std::size_t bytes = four_bit ? (value + 1u) / 2u : value;
      bytes += bytes % 2;
      if (data.size() - at < bytes) return std::string("the compressed pixel data is truncated");
      for (int i = 0; i < value; ++i) canvas.put(packed_index(four_bit, data.data() + at, i));
      at += bytes;
    }
  }
  return std::nullopt;
}

}  // namespace showsaver::bmp
