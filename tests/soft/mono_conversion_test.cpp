// Colour <-> monochrome conversion as GDI does it in BitBlt and StretchBlt.
#include <gtest/gtest.h>

#include "gdi_replay/gdi_cases.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver {
namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

struct Surfaces {
  SoftGdi gdi;
  DcHandle color_dc;
  DcHandle mono_dc;

  Surfaces(const PixelImage& color, int mono_width, int mono_height) {
    color_dc = gdi.CreateCompatibleDC(DcHandle{});
    gdi.SelectObject(color_dc, gdi.CreateBitmapFromImage(color));
    mono_dc = gdi.CreateCompatibleDC(DcHandle{});
    gdi.SelectObject(mono_dc, gdi.CreateBitmap(mono_width, mono_height, 1, 1, nullptr));
  }
};

// A bit is 1 (white) exactly where the whole 32-bit pixel equals the source
// DC's background colour as 0x00RRGGBB.
class ToMonoTest : public ::testing::TestWithParam<gdi_cases::ToMonoCase> {};

TEST_P(ToMonoTest, BitBltAndStretchBlt) {
  const gdi_cases::ToMonoCase& c = GetParam();
  Surfaces s(PixelImage{2, 1, {c.pixel, c.pixel}}, 2, 1);
  s.gdi.SetBkColor(s.color_dc, c.background);
  s.gdi.BitBlt(s.mono_dc, 0, 0, 1, 1, s.color_dc, 0, 0, rop::SRCCOPY);
  s.gdi.StretchBlt(s.mono_dc, 1, 0, 1, 1, s.color_dc, 0, 0, 2, 2, rop::SRCCOPY);
  const std::uint32_t expected = c.white ? kWhite : 0u;
  EXPECT_EQ(s.gdi.ReadImage(s.mono_dc)->pixels, (std::vector<std::uint32_t>{expected, expected}));
}

INSTANTIATE_TEST_SUITE_P(Cases, ToMonoTest, ::testing::ValuesIn(gdi_cases::to_mono_cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// 0 bits take the destination DC's text colour, 1 bits its background colour.
TEST(MonoConversionTest, MonoToColourUsesDestinationColours) {
  SoftGdi gdi;
  const std::uint8_t bits[] = {0xA0, 0x00};  // 1 0 1 0, rows padded to 16 bits
  const DcHandle mono = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(mono, gdi.CreateBitmap(4, 1, 1, 1, bits));
  gdi.SetTextColor(mono, rgb(1, 2, 3));  // the source DC's colours play no part
  gdi.SetBkColor(mono, rgb(4, 5, 6));
  const DcHandle color = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(color, gdi.CreateColorBitmap(4, 1));
  gdi.SetTextColor(color, rgb(0xFF, 0, 0));
  gdi.SetBkColor(color, rgb(0, 0xFF, 0));
  gdi.BitBlt(color, 0, 0, 4, 1, mono, 0, 0, rop::SRCCOPY);
  EXPECT_EQ(gdi.ReadImage(color)->pixels,
            (std::vector<std::uint32_t>{0x0000FF00, 0x00FF0000, 0x0000FF00, 0x00FF0000}));
}

// The defaults of a new DC (black text, white background) turn a mask into a
// black-and-white picture, and the raster operation works on the converted
// pixels.
TEST(MonoConversionTest, DefaultColoursAndRopAfterConversion) {
  SoftGdi gdi;
  const std::uint8_t bits[] = {0x80, 0x00};  // 1 0
  const DcHandle mono = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(mono, gdi.CreateBitmap(2, 1, 1, 1, bits));
  const DcHandle color = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(color, gdi.CreateBitmapFromImage({2, 1, {0x00123456, 0x00123456}}));
  gdi.BitBlt(color, 0, 0, 2, 1, mono, 0, 0, rop::DEST_AND_NOT_SOURCE);
  // 1 -> white -> D & ~white = 0; 0 -> black -> D kept.
  EXPECT_EQ(gdi.ReadImage(color)->pixels, (std::vector<std::uint32_t>{0u, 0x00123456}));
}

// Shrinking a monochrome bitmap in BLACKONWHITE keeps black.
TEST(MonoConversionTest, MonoShrinkKeepsBlack) {
  SoftGdi gdi;
  const std::uint8_t bits[] = {0xB0, 0x00};  // 1 0 1 1
  const DcHandle source = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(source, gdi.CreateBitmap(4, 1, 1, 1, bits));
  const DcHandle destination = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(destination, gdi.CreateBitmap(2, 1, 1, 1, nullptr));
  gdi.FillBox(destination, 0, 0, 1, 0, rgb(255, 255, 255));
  gdi.StretchBlt(destination, 0, 0, 2, 1, source, 0, 0, 4, 1, rop::SRCCOPY);
  EXPECT_EQ(gdi.ReadImage(destination)->pixels, (std::vector<std::uint32_t>{0u, kWhite}));
}

// Colour pixels are converted before they are ANDed on a shrink: two
// background-coloured pixels make white, one other pixel makes black.
TEST(MonoConversionTest, ConversionBeforeAndOnShrink) {
  Surfaces s(PixelImage{4, 1, {0x00FF0000, 0x00FF0000, 0x00FF0000, 0x000000FF}}, 2, 1);
  s.gdi.SetBkColor(s.color_dc, rgb(255, 0, 0));
  s.gdi.StretchBlt(s.mono_dc, 0, 0, 2, 1, s.color_dc, 0, 0, 4, 1, rop::SRCCOPY);
  EXPECT_EQ(s.gdi.ReadImage(s.mono_dc)->pixels, (std::vector<std::uint32_t>{kWhite, 0u}));
}

}  // namespace
}  // namespace showsaver
