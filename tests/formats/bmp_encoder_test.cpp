// Writing Windows bitmap files: what the headers say, how runs are packed,
// and what the encoder refuses.  The decoder's tests read every format back.
#include "formats/bmp/bmp_encoder.h"

#include <gtest/gtest.h>

#include "formats/bmp/bmp_rle.h"
#include "formats/byte_reader.h"

namespace showsaver {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes encoded(const PixelImage& image, const BmpFormat& format) {
  auto file = encode_bmp(image, format);
  EXPECT_TRUE(std::holds_alternative<Bytes>(file)) << std::get<std::string>(file);
  return std::holds_alternative<Bytes>(file) ? std::get<Bytes>(file) : Bytes{};
}

TEST(BmpEncoder, HeadersDescribeTheFile) {
  // Four colours out of order, in a 3 x 2 picture.
  const PixelImage image{3, 2, {0x00FF00, 0x0000FF, 0xFF0000, 0x102030, 0x00FF00, 0x0000FF}};
  const struct {
    const char* name;
    BmpFormat format;
    std::uint32_t header_size;
    std::uint32_t table_entries;  // at 4 bytes each, 3 for the core header
  } cases[] = {
      {"core 4-bit table filled to 16", {.bit_count = 4, .header = BmpHeaderKind::kCore}, 12, 16},
      {"info 8-bit", {.bit_count = 8}, 40, 4},
      {"info 16-bit with masks after", {.bit_count = 16, .compression = bmp::kBiBitfields}, 40, 3},
      {"OS/2 24-bit", {.bit_count = 24, .header = BmpHeaderKind::kOs2}, 64, 0},
      {"V5 32-bit", {.bit_count = 32, .header = BmpHeaderKind::kV5}, 124, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = encoded(image, c.format);
    const ByteReader in(file);
    const bool core = c.format.header == BmpHeaderKind::kCore;
    const std::uint32_t pixel_offset = 14 + c.header_size + c.table_entries * (core ? 3 : 4);
    EXPECT_EQ(in.u8(0), 'B');
    EXPECT_EQ(in.u8(1), 'M');
    EXPECT_EQ(in.u32(2), file.size());
    EXPECT_EQ(in.u32(10), pixel_offset);
    EXPECT_EQ(in.u32(14), c.header_size);
    if (core) continue;
    EXPECT_EQ(in.u32(34), file.size() - pixel_offset) << "image size";
    if (c.format.bit_count <= 8) {
      EXPECT_EQ(in.u32(46), c.table_entries) << "colours used";
    }
  }
  // The 8-bit table holds the colours in ascending order.
  const Bytes file = encoded(image, {.bit_count = 8});
  const ByteReader in(file);
  EXPECT_EQ(in.u32(54), 0x0000FFu);
  EXPECT_EQ(in.u32(58), 0x00FF00u);
  EXPECT_EQ(in.u32(62), 0x102030u);
  EXPECT_EQ(in.u32(66), 0xFF0000u);
}

TEST(BmpEncoder, RunLengthRowsUseRunsAndLiteralStretches) {
  const struct {
    const char* name;
    bool four_bit;
    Bytes indices;
    Bytes expected;
  } cases[] = {
      {"runs", false, {5, 5, 5, 7}, {3, 5, 1, 7, 0, 0}},
      {"two changes stay runs", false, {1, 2, 2}, {1, 1, 2, 2, 0, 0}},
      {"literal padded to a word", false, {1, 2, 3, 4, 4}, {0, 3, 1, 2, 3, 0, 2, 4, 0, 0}},
      {"nibbles in a run", true, {9, 9, 9}, {3, 0x99, 0, 0}},
      {"nibbles in a literal", true, {1, 2, 3, 4, 5}, {0, 5, 0x12, 0x34, 0x50, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    ByteWriter out;
    bmp::encode_rle_row(c.indices, c.four_bit, out);
    EXPECT_EQ(out.bytes(), c.expected) << c.name;
  }
  // A run longer than a count byte holds goes on in a second run.
  ByteWriter out;
  bmp::encode_rle_row(Bytes(300, 4), false, out);
  EXPECT_EQ(out.bytes(), (Bytes{255, 4, 45, 4, 0, 0}));
}

TEST(BmpEncoder, RefusesWhatNoReaderTakesWithAReason) {
  const PixelImage three_colours{3, 1, {0x000000, 0x808080, 0xFFFFFF}};
  const struct {
    const char* name;
    PixelImage image;
    BmpFormat format;
  } cases[] = {
      {"more colours than the table holds", three_colours, {.bit_count = 1}},
      {"two bits a pixel", three_colours, {.bit_count = 2}},
      {"RLE8 at 4 bits", three_colours, {.bit_count = 4, .compression = bmp::kBiRle8}},
      {"top-down RLE",
       three_colours,
       {.bit_count = 8, .compression = bmp::kBiRle8, .top_down = true}},
      {"core header compressed",
       three_colours,
       {.bit_count = 8, .compression = bmp::kBiRle8, .header = BmpHeaderKind::kCore}},
      {"core header top-down",
       three_colours,
       {.bit_count = 8, .header = BmpHeaderKind::kCore, .top_down = true}},
      {"bit fields in an OS/2 header",
       three_colours,
       {.bit_count = 16, .compression = bmp::kBiBitfields, .header = BmpHeaderKind::kOs2}},
      {"mask with a gap",
       three_colours,
       {.bit_count = 16, .compression = bmp::kBiBitfields, .masks = {0xF00F, 0x07E0, 0x0010}}},
      {"mask outside 16 bits",
       three_colours,
       {.bit_count = 16, .compression = bmp::kBiBitfields, .masks = {0xF0000, 0x07E0, 0x001F}}},
      {"no pixels", PixelImage{0, 4, {}}, {}},
      {"fewer pixels than its size", PixelImage{2, 2, {0, 0, 0}}, {}},
  };
  for (const auto& c : cases) {
    const auto file = encode_bmp(c.image, c.format);
    ASSERT_TRUE(std::holds_alternative<std::string>(file)) << c.name;
    EXPECT_FALSE(std::get<std::string>(file).empty()) << c.name;
  }
}

}  // namespace
}  // namespace showsaver
