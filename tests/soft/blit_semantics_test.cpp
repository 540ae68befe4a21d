// BitBlt and StretchBlt through the GDI interface, against the case tables.
#include <gtest/gtest.h>

#include <string>

#include "gdi_replay/gdi_cases.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver::soft {
namespace {

using gdi_cases::letter_color;

constexpr std::uint32_t kUntouched = 0x00000000;

std::string describe(std::uint32_t pixel) {
  if (pixel == kUntouched) return ".";
  std::string letters;
  for (int k = 0; k < 24; ++k) {
    if ((pixel & (1u << k)) == 0) letters += static_cast<char>('A' + k);
  }
  return letters;
}

std::string describe(const std::vector<std::uint32_t>& pixels) {
  std::string out;
  for (std::size_t i = 0; i < pixels.size(); ++i) out += (i ? "|" : "") + describe(pixels[i]);
  return out;
}

// Runs a one-row case along x (a row) or along y (a column).
std::string run_line_case(const gdi_cases::LineCase& c, bool vertical) {
  SoftGdi gdi;
  PixelImage letters{vertical ? 1 : c.source_length, vertical ? c.source_length : 1, {}};
  for (int k = 0; k < c.source_length; ++k) letters.pixels.push_back(letter_color(k));
  const DcHandle source = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(source, gdi.CreateBitmapFromImage(letters));
  const DcHandle destination = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(destination, vertical ? gdi.CreateColorBitmap(1, c.destination_length)
                                         : gdi.CreateColorBitmap(c.destination_length, 1));
  bool ok;
  if (vertical) {
    ok = gdi.StretchBlt(destination, 0, c.x, 1, c.width, source, 0, c.source_x, 1, c.source_width,
                        rop::SRCCOPY);
  } else {
    ok = gdi.StretchBlt(destination, c.x, 0, c.width, 1, source, c.source_x, 0, c.source_width, 1,
                        rop::SRCCOPY);
  }
  EXPECT_TRUE(ok);
  return describe(gdi.ReadImage(destination)->pixels);
}

class LineCaseTest : public ::testing::TestWithParam<gdi_cases::LineCase> {};

TEST_P(LineCaseTest, Horizontal) {
  EXPECT_EQ(run_line_case(GetParam(), false), GetParam().expected);
}
TEST_P(LineCaseTest, Vertical) {
  EXPECT_EQ(run_line_case(GetParam(), true), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineCaseTest, ::testing::ValuesIn(gdi_cases::line_cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// Both axes shrink: every source pixel of a block is ANDed in.
TEST(StretchBltTest, ShrinkAndsInBothAxes) {
  SoftGdi gdi;
  PixelImage picture{4, 4, {}};
  for (int i = 0; i < 16; ++i) picture.pixels.push_back(letter_color(i));
  const DcHandle source = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(source, gdi.CreateBitmapFromImage(picture));
  const DcHandle destination = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(destination, gdi.CreateColorBitmap(2, 2));
  gdi.StretchBlt(destination, 0, 0, 2, 2, source, 0, 0, 4, 4, rop::SRCCOPY);
  EXPECT_EQ(describe(gdi.ReadImage(destination)->pixels), "ABEF|CDGH|IJMN|KLOP");
}

// A shrinking axis ANDs while an enlarging one repeats.
TEST(StretchBltTest, ShrinkOneAxisEnlargeTheOther) {
  SoftGdi gdi;
  PixelImage picture{4, 1, {letter_color(0), letter_color(1), letter_color(2), letter_color(3)}};
  const DcHandle source = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(source, gdi.CreateBitmapFromImage(picture));
  const DcHandle destination = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(destination, gdi.CreateColorBitmap(2, 2));
  gdi.StretchBlt(destination, 0, 0, 2, 2, source, 0, 0, 4, 1, rop::SRCCOPY);
  EXPECT_EQ(describe(gdi.ReadImage(destination)->pixels), "AB|CD|AB|CD");
}

// BitBlt's clipping: a destination pixel changes only when it lies in the
// destination rectangle and its source pixel lies in the source bitmap.
class ClipCaseTest : public ::testing::TestWithParam<gdi_cases::ClipCase> {};

bool covers(int position, int start, int extent) {
  return extent > 0 ? position >= start && position < start + extent
                    : position > start + extent && position <= start;
}

TEST_P(ClipCaseTest, UntouchedWhereSourceIsOutside) {
  const gdi_cases::ClipCase& c = GetParam();
  constexpr int kWidth = gdi_cases::kClipWidth, kHeight = gdi_cases::kClipHeight;
  SoftGdi gdi;
  PixelImage picture{kWidth, kHeight, {}};
  for (int i = 0; i < kWidth * kHeight; ++i) picture.pixels.push_back(0x00100000u + i);
  const DcHandle source = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(source, gdi.CreateBitmapFromImage(picture));
  const DcHandle destination = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(destination, gdi.CreateColorBitmap(kWidth, kHeight));
  ASSERT_TRUE(gdi.BitBlt(destination, c.x, c.y, c.width, c.height, source, c.source_x, c.source_y,
                         rop::SRCCOPY));
  const PixelImage result = *gdi.ReadImage(destination);
  for (int py = 0; py < kHeight; ++py) {
    for (int px = 0; px < kWidth; ++px) {
      const int sx = px - c.x + c.source_x;
      const int sy = py - c.y + c.source_y;
      const bool drawn = covers(px, c.x, c.width) && covers(py, c.y, c.height) && sx >= 0 &&
                         sx < kWidth && sy >= 0 && sy < kHeight;
      const std::uint32_t expected = drawn ? picture.pixels[sy * kWidth + sx] : 0u;
      ASSERT_EQ(result.pixels[py * kWidth + px], expected) << "pixel " << px << "," << py;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ClipCaseTest, ::testing::ValuesIn(gdi_cases::clip_cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// Overlapping copies within one bitmap read the source as it was (memmove).
TEST(BitBltTest, OverlapWithinOneBitmapBehavesLikeMemmove) {
  for (const gdi_cases::Shift shift : gdi_cases::overlap_shifts()) {
    for (std::uint32_t raster : {rop::SRCCOPY, rop::SRCINVERT}) {
      SoftGdi gdi;
      PixelImage picture{7, 6, {}};
      for (int i = 0; i < 42; ++i) picture.pixels.push_back(0x00010203u * (i + 1));
      const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
      gdi.SelectObject(dc, gdi.CreateBitmapFromImage(picture));
      gdi.BitBlt(dc, 1 + shift.dx, 1 + shift.dy, 4, 3, dc, 1, 1, raster);
      const PixelImage result = *gdi.ReadImage(dc);
      for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 7; ++x) {
          const int sx = x - shift.dx, sy = y - shift.dy;
          const bool drawn =
              x >= 1 + shift.dx && x < 5 + shift.dx && y >= 1 + shift.dy && y < 4 + shift.dy;
          const std::uint32_t before = picture.pixels[y * 7 + x];
          std::uint32_t expected = before;
          if (drawn) {
            const std::uint32_t from = picture.pixels[sy * 7 + sx];
            expected = raster == rop::SRCCOPY ? from : (from ^ before);
          }
          ASSERT_EQ(result.pixels[y * 7 + x], expected)
              << shift.dx << "," << shift.dy << " at " << x << "," << y;
        }
      }
    }
  }
}

// Operations that read no source ignore the source DC and only clip to the
// destination.
TEST(BitBltTest, OperationWithoutSourceIgnoresSourceDc) {
  SoftGdi gdi;
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(dc, gdi.CreateBitmapFromImage({3, 1, {0x00123456, 0x00ABCDEF, 0}}));
  EXPECT_TRUE(gdi.BitBlt(dc, 0, 0, 2, 1, DcHandle{}, 99, 99, rop::DSTINVERT));
  EXPECT_EQ(gdi.ReadImage(dc)->pixels, (std::vector<std::uint32_t>{0x00EDCBA9, 0x00543210, 0}));
  EXPECT_TRUE(gdi.BitBlt(dc, -5, 0, 100, 1, DcHandle{}, 0, 0, rop::BLACKNESS));
  EXPECT_EQ(gdi.ReadImage(dc)->pixels, (std::vector<std::uint32_t>{0, 0, 0}));
}

}  // namespace
}  // namespace showsaver::soft
