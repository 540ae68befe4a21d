// Decoding Windows bitmap files: every format, hand-made run-length data,
// malformed and truncated files.
#include "formats/bmp/bmp_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "formats/bmp/bmp_encoder.h"
#include "formats/byte_writer.h"
#include "support/bitmap_files.h"

namespace showsaver {
namespace {

std::string header_name(BmpHeaderKind header) {
  switch (header) {
    case BmpHeaderKind::kCore:
      return "Core";
    case BmpHeaderKind::kOs2:
      return "Os2";
    case BmpHeaderKind::kInfo:
      return "Info";
    case BmpHeaderKind::kV4:
      return "V4";
    case BmpHeaderKind::kV5:
      return "V5";
  }
  return "?";
}

struct FormatCase {
  std::string name;
  BmpFormat layout;
};

bool allowed(BmpHeaderKind header, int bit_count, std::uint32_t compression, bool top_down) {
  if (header == BmpHeaderKind::kCore) {
    return compression == 0 && !top_down && bit_count != 16 && bit_count != 32;
  }
  if (header == BmpHeaderKind::kOs2 && compression == 3) return false;
  return !(top_down && (compression == 1 || compression == 2));
}

std::vector<FormatCase> all_formats() {
  struct Format {
    const char* name;
    int bit_count;
    std::uint32_t compression;
    std::array<std::uint32_t, 3> masks;
  };
  const Format formats[] = {
      {"1", 1, 0, {}},
      {"4", 4, 0, {}},
      {"8", 8, 0, {}},
      {"16", 16, 0, {}},
      {"24", 24, 0, {}},
      {"32", 32, 0, {}},
      {"Rle8", 8, 1, {}},
      {"Rle4", 4, 2, {}},
      {"16Bitfields565", 16, 3, {0xF800, 0x07E0, 0x001F}},
      {"16Bitfields444", 16, 3, {0x0F00, 0x00F0, 0x000F}},
      {"32BitfieldsBgr", 32, 3, {0x000000FF, 0x0000FF00, 0x00FF0000}},
      {"32Bitfields101010", 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}},
  };
  std::vector<FormatCase> cases;
  for (BmpHeaderKind header : {BmpHeaderKind::kCore, BmpHeaderKind::kOs2, BmpHeaderKind::kInfo,
                               BmpHeaderKind::kV4, BmpHeaderKind::kV5}) {
    for (const Format& f : formats) {
      for (bool top_down : {false, true}) {
        if (!allowed(header, f.bit_count, f.compression, top_down)) continue;
        BmpFormat layout{f.bit_count, f.compression, header, top_down, f.masks};
        cases.push_back(
            {header_name(header) + "_" + f.name + (top_down ? "_TopDown" : ""), layout});
      }
    }
  }
  return cases;
}

// The widest channel value of `bits` bits that the decoder widens back to
// itself: values whose bit pattern repeats with that period.
std::uint32_t representable(std::uint32_t value8, int bits) {
  if (bits >= 8) return value8;
  const std::uint32_t top = value8 >> (8 - bits);
  std::uint32_t wide = 0;
  for (int filled = 0; filled < 8; filled += bits) {
    const int move = 8 - filled - bits;
    wide |= move >= 0 ? top << move : top >> -move;
  }
  return wide & 0xFF;
}

int channel_bits(std::uint32_t mask) {
  return std::popcount(mask);
}

// A picture the format can hold exactly, with runs and single pixels so that
// the run-length encoder uses both of its modes.
PixelImage picture_for(const BmpFormat& layout, int width, int height) {
  PixelImage image = test::make_test_picture(width, height, 3);
  const std::size_t colors = layout.bit_count <= 8 ? (std::size_t{1} << layout.bit_count) : 0;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    std::uint32_t& pixel = image.pixels[i];
    if (i % 5 < 2 && i > 0) pixel = image.pixels[i - 1];  // some runs
    if (colors != 0)
      pixel = 0x00102030u * static_cast<std::uint32_t>(1 + pixel % (colors - 1 + (colors == 2)));
    pixel &= 0x00FFFFFF;
  }
  std::array<std::uint32_t, 3> masks = layout.masks;
  if (layout.bit_count == 16 && layout.compression != 3) masks = {0x7C00, 0x03E0, 0x001F};
  if (layout.bit_count == 16 || (layout.bit_count == 32 && layout.compression == 3)) {
    for (std::uint32_t& pixel : image.pixels) {
      pixel = (representable((pixel >> 16) & 0xFF, channel_bits(masks[0])) << 16) |
              (representable((pixel >> 8) & 0xFF, channel_bits(masks[1])) << 8) |
              representable(pixel & 0xFF, channel_bits(masks[2]));
    }
  }
  return image;
}

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, RoundTripsAtSeveralSizes) {
  for (auto [width, height] : {std::pair{1, 1}, {7, 5}, {33, 3}, {2, 9}, {5, 1}, {3, 2}, {1, 2}}) {
    const PixelImage picture = picture_for(GetParam().layout, width, height);
    const auto decoded = decode_bmp(test::make_bmp(picture, GetParam().layout));
    ASSERT_TRUE(std::holds_alternative<PixelImage>(decoded))
        << std::get<std::string>(decoded) << " at " << width << "x" << height;
    EXPECT_EQ(std::get<PixelImage>(decoded), picture) << width << "x" << height;
  }
}

// A cut-off file never decodes to something else: it is an error, or (when
// only padding or the final end mark is missing) the same picture.
TEST_P(FormatTest, EveryTruncationIsAnErrorOrTheSamePicture) {
  const PixelImage picture = picture_for(GetParam().layout, 9, 4);
  const std::vector<std::uint8_t> file = test::make_bmp(picture, GetParam().layout);
  for (std::size_t length = 0; length < file.size(); ++length) {
    // A copy of exactly `length` bytes, so that the sanitizers see any read past it.
    const std::vector<std::uint8_t> prefix(file.begin(), file.begin() + length);
    const auto decoded = decode_bmp(prefix);
    if (const auto* image = std::get_if<PixelImage>(&decoded)) {
      ASSERT_EQ(*image, picture) << "prefix of " << length << " bytes";
      ASSERT_GE(length, file.size() - 3);
    }
  }
  // What may be missing must be accepted, not merely not misread: the last
  // row's padding, or the end-of-bitmap mark of run-length data.
  const int bits = GetParam().layout.bit_count;
  const std::size_t row_bytes = (9 * static_cast<std::size_t>(bits) + 7) / 8;
  const std::size_t optional_tail =
      GetParam().layout.compression == 1 || GetParam().layout.compression == 2
          ? 2
          : (4 - row_bytes % 4) % 4;
  for (std::size_t missing = 1; missing <= optional_tail; ++missing) {
    const std::vector<std::uint8_t> prefix(file.begin(), file.end() - std::ptrdiff_t(missing));
    const auto decoded = decode_bmp(prefix);
    ASSERT_TRUE(std::holds_alternative<PixelImage>(decoded))
        << std::get<std::string>(decoded) << " without the last " << missing << " bytes";
    EXPECT_EQ(std::get<PixelImage>(decoded), picture);
  }
}

TEST_P(FormatTest, CorruptedBytesNeverBreakTheDecoder) {
  const std::vector<std::uint8_t> file =
      test::make_bmp(picture_for(GetParam().layout, 6, 5), GetParam().layout);
  std::mt19937 random(42);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::uint8_t> damaged = file;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < flips; ++i)
      damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
    const auto decoded = decode_bmp(damaged);
    if (const auto* image = std::get_if<PixelImage>(&decoded)) {
      ASSERT_EQ(image->pixels.size(), static_cast<std::size_t>(image->width) * image->height);
    } else {
      ASSERT_FALSE(std::get<std::string>(decoded).empty());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatTest, ::testing::ValuesIn(all_formats()),
                         [](const auto& param_info) { return param_info.param.name; });

// A file of a 40-byte header, a colour table (for BI_BITFIELDS: the masks)
// and raw pixel bytes, put together as they are.
std::vector<std::uint8_t> hand_made(int bit_count, std::uint32_t compression, int width, int height,
                                    const std::vector<std::uint32_t>& palette,
                                    const std::vector<std::uint8_t>& data) {
  BmpParts parts{
      {.bit_count = bit_count, .compression = compression}, {width, height}, palette, data};
  if (compression == bmp::kBiBitfields) {
    std::copy(palette.begin(), palette.end(), parts.format.masks.begin());
    parts.palette.clear();
  }
  return assemble_bmp(parts);
}

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

struct RleCase {
  const char* name;
  int bit_count;
  int width, height;
  std::vector<std::uint8_t> data;
  std::vector<std::uint32_t> expected;  // top-down; 0 = left black
};

// Palette: 0 red, 1 green, 2 blue.  Rows in the file run bottom-up.
const RleCase kRleCases[] = {
    {"Rle8RunsAndEndOfLine",
     8,
     3,
     2,
     {3, 0, 0, 0, 1, 1, 2, 2, 0, 1},
     {kGreen, kBlue, kBlue, kRed, kRed, kRed}},
    {"Rle8EarlyEndOfLineLeavesBlack",
     8,
     3,
     2,
     {1, 2, 0, 0, 3, 1, 0, 1},
     {kGreen, kGreen, kGreen, kBlue, 0, 0}},
    {"Rle8DeltaSkipsPixels", 8, 3, 2, {1, 0, 0, 2, 1, 1, 1, 2, 0, 1}, {0, 0, kBlue, kRed, 0, 0}},
    {"Rle8AbsoluteOddCountIsPadded", 8, 3, 1, {0, 3, 2, 1, 0, 0, 0, 1}, {kBlue, kGreen, kRed}},
    {"Rle8RunPastRightEdgeIsDropped",
     8,
     2,
     2,
     {5, 1, 0, 0, 2, 2, 0, 1},
     {kBlue, kBlue, kGreen, kGreen}},
    {"Rle8IndexPastTableIsBlack", 8, 2, 1, {1, 7, 1, 2, 0, 1}, {0, kBlue}},
    {"Rle4RunAlternatesNibbles", 4, 5, 1, {5, 0x12, 0, 1}, {kGreen, kBlue, kGreen, kBlue, kGreen}},
    {"Rle4AbsoluteOddCount", 4, 3, 1, {0, 3, 0x21, 0x00, 0, 1}, {kBlue, kGreen, kRed}},
    {"Rle4AbsoluteFivePixelsPadded",
     4,
     5,
     1,
     {0, 5, 0x01, 0x20, 0x10, 0x00, 0, 1},
     {kRed, kGreen, kBlue, kRed, kGreen}},
    {"EndWithoutMarkAfterLastLine", 8, 1, 1, {1, 2, 0, 0}, {kBlue}},
};

class RleTest : public ::testing::TestWithParam<RleCase> {};

TEST_P(RleTest, Decodes) {
  const RleCase& c = GetParam();
  const auto file = hand_made(c.bit_count, c.bit_count == 8 ? 1 : 2, c.width, c.height,
                              {kRed, kGreen, kBlue}, c.data);
  const auto decoded = decode_bmp(file);
  ASSERT_TRUE(std::holds_alternative<PixelImage>(decoded)) << std::get<std::string>(decoded);
  EXPECT_EQ(std::get<PixelImage>(decoded).pixels, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RleTest, ::testing::ValuesIn(kRleCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(BmpDecoderTest, BitfieldChannelsWidenByRepeatingBits) {
  // 565: full red, green 0b100000, blue 0b10000.
  ByteWriter row;
  row.u16(0xF800 | (0x20 << 5) | 0x10);
  row.pad_to(4);
  auto file =
      hand_made(16, 3, 1, 1, {0xF800, 0x07E0, 0x001F}, row.bytes());  // masks after the header
  const auto decoded = decode_bmp(file);
  ASSERT_TRUE(std::holds_alternative<PixelImage>(decoded)) << std::get<std::string>(decoded);
  EXPECT_EQ(std::get<PixelImage>(decoded).pixels[0], 0xFF8284u);
}

TEST(BmpDecoderTest, UnusedFourthByteOf32BitPixelIsDropped) {
  const auto file = hand_made(32, 0, 1, 1, {}, {0x33, 0x22, 0x11, 0xAB});
  EXPECT_EQ(std::get<PixelImage>(decode_bmp(file)).pixels[0], 0x112233u);
}

TEST(BmpDecoderTest, ShortColourTableDrawsBlackForMissingEntries) {
  const auto file = hand_made(8, 0, 2, 1, {kGreen}, {0, 5, 0, 0});
  EXPECT_EQ(std::get<PixelImage>(decode_bmp(file)).pixels, (std::vector<std::uint32_t>{kGreen, 0}));
}

struct MalformedCase {
  const char* name;
  std::size_t offset;  // byte of a valid 8-bit 2 x 2 file to change
  std::vector<std::uint8_t> bytes;
};

// Offsets: 0 signature, 10 pixel offset, 14 header size, 18 width, 22 height,
// 28 bit count, 30 compression, 46 colours used.
const MalformedCase kMalformedCases[] = {
    {"NoSignature", 0, {'X', 'M'}},
    {"HeaderSizeTooSmall", 14, {8, 0, 0, 0}},
    {"HeaderSizeBeyondFile", 14, {0xFF, 0xFF, 0, 0}},
    {"ZeroWidth", 18, {0, 0, 0, 0}},
    {"NegativeWidth", 18, {0xFE, 0xFF, 0xFF, 0xFF}},
    {"ZeroHeight", 22, {0, 0, 0, 0}},
    {"HugeSize", 18, {0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0}},
    {"BitCountZero", 28, {0, 0}},
    {"BitCountTwo", 28, {2, 0}},
    {"BitCount64", 28, {64, 0}},
    {"Rle4With8Bits", 30, {2, 0, 0, 0}},
    {"BitfieldsWith8Bits", 30, {3, 0, 0, 0}},
    {"JpegCompression", 30, {4, 0, 0, 0}},
    {"TopDownRle", 22, {0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 8, 0, 1, 0, 0, 0}},
    {"PixelOffsetIntoHeaders", 10, {20, 0, 0, 0}},
    {"PixelOffsetPastEnd", 10, {0, 0x10, 0, 0}},
};

class MalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedTest, IsAnErrorWithAReason) {
  std::vector<std::uint8_t> file = hand_made(8, 0, 2, 2, {kRed, kGreen}, {0, 1, 0, 0, 1, 0, 0, 0});
  ASSERT_TRUE(std::holds_alternative<PixelImage>(decode_bmp(file)));
  const MalformedCase& c = GetParam();
  std::copy(c.bytes.begin(), c.bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(c.offset));
  const auto decoded = decode_bmp(file);
  ASSERT_TRUE(std::holds_alternative<std::string>(decoded));
  EXPECT_FALSE(std::get<std::string>(decoded).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedTest, ::testing::ValuesIn(kMalformedCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(BmpDecoderTest, NonContiguousMaskIsAnError) {
  const auto file = hand_made(16, 3, 1, 1, {0xF00F, 0x07E0, 0x001F}, {0, 0, 0, 0});
  EXPECT_TRUE(std::holds_alternative<std::string>(decode_bmp(file)));
}

TEST(BmpDecoderTest, MissingColourTableIsAnError) {
  auto file = hand_made(8, 0, 1, 1, {}, {});
  EXPECT_TRUE(std::holds_alternative<std::string>(decode_bmp(file)));
}

TEST(BmpDecoderTest, EmptyInputIsAnError) {
  EXPECT_TRUE(std::holds_alternative<std::string>(decode_bmp({})));
}

}  // namespace
}  // namespace showsaver
