// Device contexts, bitmaps and their handles.
#include <gtest/gtest.h>

#include "gdi_replay/gdi_cases.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver {
namespace {

TEST(SoftGdiObjectsTest, NewDcHasStockMonoBitmapAndDefaultColours) {
  SoftGdi gdi;
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  ASSERT_TRUE(dc);
  const PixelImage image = *gdi.ReadImage(dc);
  EXPECT_EQ(image.width, 1);
  EXPECT_EQ(image.height, 1);
  EXPECT_EQ(gdi.GetBkColor(dc), rgb(255, 255, 255));
  EXPECT_EQ(gdi.SetTextColor(dc, rgb(1, 2, 3)), rgb(0, 0, 0));
  EXPECT_EQ(gdi.live_object_count(), 1u);
}

// The classic: a bitmap compatible with a fresh memory DC is monochrome.
TEST(SoftGdiObjectsTest, CompatibleBitmapTakesFormatOfSelectedBitmap) {
  SoftGdi gdi;
  const DcHandle fresh = gdi.CreateCompatibleDC(DcHandle{});
  const DcHandle probe = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(probe, gdi.CreateCompatibleBitmap(fresh, 1, 1));
  // A light colour in a monochrome bitmap becomes white.
  gdi.FillBox(probe, 0, 0, 0, 0, rgb(230, 240, 250));
  EXPECT_EQ(gdi.ReadImage(probe)->pixels[0], 0x00FFFFFFu);

  const DcHandle color = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(color, gdi.CreateColorBitmap(2, 2));
  const DcHandle second = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(second, gdi.CreateCompatibleBitmap(color, 1, 1));
  gdi.FillBox(second, 0, 0, 0, 0, rgb(200, 10, 10));
  EXPECT_EQ(gdi.ReadImage(second)->pixels[0], 0x00C80A0Au);
}

TEST(SoftGdiObjectsTest, ZeroSizeGivesStockBitmap) {
  SoftGdi gdi;
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  const BitmapHandle a = gdi.CreateBitmap(0, 5, 1, 1, nullptr);
  const BitmapHandle b = gdi.CreateCompatibleBitmap(dc, 3, 0);
  BitmapInfoHeader header;
  header.biWidth = 0;
  header.biHeight = -4;
  header.biBitCount = 24;
  const BitmapHandle c = gdi.CreateDIBitmap(dc, &header, 0, nullptr, &header, DIB_RGB_COLORS);
  EXPECT_TRUE(a);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
  EXPECT_EQ(gdi.live_object_count(), 1u);
  EXPECT_TRUE(gdi.DeleteObject(a));  // deleting a stock object does nothing and succeeds
  EXPECT_TRUE(gdi.SelectObject(dc, a));
}

TEST(SoftGdiObjectsTest, BadSizesAndFormatsFail) {
  SoftGdi gdi;
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  EXPECT_FALSE(gdi.CreateBitmap(4, 4, 1, 8, nullptr));
  EXPECT_FALSE(gdi.CreateBitmap(100000, 100000, 1, 1, nullptr));  // beyond memory
  EXPECT_FALSE(gdi.CreateCompatibleBitmap(dc, -1, 4));
  EXPECT_FALSE(gdi.CreateColorBitmap(0, 4));
  BitmapInfoHeader header;
  header.biWidth = -3;
  header.biHeight = 3;
  EXPECT_FALSE(gdi.CreateDIBitmap(dc, &header, 0, nullptr, &header, DIB_RGB_COLORS));
  EXPECT_FALSE(gdi.CreateDIBitmap(dc, nullptr, 0, nullptr, nullptr, DIB_RGB_COLORS));
  EXPECT_EQ(gdi.live_object_count(), 1u);
}

TEST(SoftGdiObjectsTest, NegativeBitmapSizeTakesItsMagnitude) {
  SoftGdi gdi;
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(dc, gdi.CreateBitmap(-3, -2, 1, 32, nullptr));
  const PixelImage image = *gdi.ReadImage(dc);
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
}

TEST(SoftGdiObjectsTest, SelectedBitmapCannotBeDeletedUntilReleased) {
  SoftGdi gdi;
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  const BitmapHandle bitmap = gdi.CreateColorBitmap(2, 2);
  const BitmapHandle stock = gdi.SelectObject(dc, bitmap);
  ASSERT_TRUE(stock);
  EXPECT_FALSE(gdi.DeleteObject(bitmap));
  EXPECT_EQ(gdi.SelectObject(dc, stock), bitmap);
  EXPECT_TRUE(gdi.DeleteObject(bitmap));
  EXPECT_FALSE(gdi.DeleteObject(bitmap));  // stale now
}

TEST(SoftGdiObjectsTest, DeleteDcLeavesItsBitmapAlive) {
  SoftGdi gdi;
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  const BitmapHandle bitmap = gdi.CreateColorBitmap(2, 2);
  gdi.SelectObject(dc, bitmap);
  EXPECT_EQ(gdi.live_object_count(), 2u);
  EXPECT_TRUE(gdi.DeleteDC(dc));
  EXPECT_EQ(gdi.live_object_count(), 1u);
  // Now free for another DC, and deletable.
  const DcHandle other = gdi.CreateCompatibleDC(DcHandle{});
  EXPECT_TRUE(gdi.SelectObject(other, bitmap));
  EXPECT_TRUE(gdi.DeleteDC(other));
  EXPECT_TRUE(gdi.DeleteObject(bitmap));
  EXPECT_EQ(gdi.live_object_count(), 0u);
}

TEST(SoftGdiObjectsTest, BitmapSelectsIntoOneDcAtATime) {
  SoftGdi gdi;
  const DcHandle first = gdi.CreateCompatibleDC(DcHandle{});
  const DcHandle second = gdi.CreateCompatibleDC(DcHandle{});
  const BitmapHandle bitmap = gdi.CreateColorBitmap(2, 2);
  EXPECT_TRUE(gdi.SelectObject(first, bitmap));
  EXPECT_FALSE(gdi.SelectObject(second, bitmap));
  EXPECT_EQ(gdi.SelectObject(first, bitmap), bitmap);  // reselecting into its own DC is fine
}

// Every call given a null, stale or wrong-kind handle fails the GDI way.
TEST(SoftGdiObjectsTest, BadHandlesFailWithoutHarm) {
  SoftGdi gdi;
  const DcHandle live = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(live, gdi.CreateColorBitmap(2, 2));
  const DcHandle stale = gdi.CreateCompatibleDC(DcHandle{});
  gdi.DeleteDC(stale);
  const BitmapHandle bitmap = gdi.CreateColorBitmap(1, 1);
  const DcHandle wrong_kind{bitmap.value};
  const BitmapHandle dc_as_bitmap{live.value};
  for (const DcHandle bad : {DcHandle{}, stale, wrong_kind, DcHandle{0xDEADBEEF}}) {
    if (bad) {
      EXPECT_FALSE(gdi.CreateCompatibleDC(bad));
      EXPECT_FALSE(gdi.CreateCompatibleBitmap(bad, 2, 2));
    }
    EXPECT_FALSE(gdi.SelectObject(bad, bitmap));
    EXPECT_FALSE(gdi.DeleteDC(bad));
    EXPECT_EQ(gdi.SetBkColor(bad, rgb(0, 0, 0)), CLR_INVALID);
    EXPECT_EQ(gdi.GetBkColor(bad), CLR_INVALID);
    EXPECT_EQ(gdi.SetTextColor(bad, rgb(0, 0, 0)), CLR_INVALID);
    EXPECT_FALSE(gdi.BitBlt(bad, 0, 0, 1, 1, live, 0, 0, rop::SRCCOPY));
    EXPECT_FALSE(gdi.BitBlt(live, 0, 0, 1, 1, bad, 0, 0, rop::SRCCOPY));
    EXPECT_FALSE(gdi.StretchBlt(live, 0, 0, 2, 2, bad, 0, 0, 1, 1, rop::SRCAND));
    EXPECT_FALSE(gdi.FillBox(bad, 0, 0, 1, 1, rgb(0, 0, 0)));
    EXPECT_FALSE(gdi.ReadImage(bad));
  }
  EXPECT_FALSE(gdi.SelectObject(live, dc_as_bitmap));
  EXPECT_FALSE(gdi.DeleteObject(dc_as_bitmap));
  EXPECT_FALSE(gdi.DeleteObject(BitmapHandle{}));
  EXPECT_EQ(gdi.live_object_count(), 3u);
}

TEST(SoftGdiObjectsTest, CreateBitmapReadsInitialBits) {
  SoftGdi gdi;
  // Two rows of 3 monochrome pixels, each row padded to 16 bits.
  const std::uint8_t mono_bits[] = {0xA0, 0xFF, 0x40, 0x00};
  const DcHandle mono = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(mono, gdi.CreateBitmap(3, 2, 1, 1, mono_bits));
  EXPECT_EQ(gdi.ReadImage(mono)->pixels,
            (std::vector<std::uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0}));
  const std::uint8_t color_bits[] = {0x56, 0x34, 0x12, 0x00, 0x01, 0x02, 0x03, 0x00};
  const DcHandle color = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(color, gdi.CreateBitmap(2, 1, 1, 32, color_bits));
  EXPECT_EQ(gdi.ReadImage(color)->pixels, (std::vector<std::uint32_t>{0x123456, 0x030201}));
}

// The desktops copy the picture area straight from the bitmap: the view must
// be the selected bitmap's own pixels, follow later drawing, and be refused
// where ReadImage would have to convert (monochrome) or the handle is bad.
TEST(SoftGdiObjectsTest, ViewImageIsTheSelectedColourBitmapInPlace) {
  SoftGdi gdi;
  const std::uint8_t color_bits[] = {0x56, 0x34, 0x12, 0x00, 0x01, 0x02, 0x03, 0x00,
                                     0x0A, 0x0B, 0x0C, 0x00, 0xF0, 0xE0, 0xD0, 0x00};
  const DcHandle color = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(color, gdi.CreateBitmap(2, 2, 1, 32, color_bits));
  const auto view = gdi.ViewImage(color);
  ASSERT_TRUE(view);
  EXPECT_EQ(view->width, 2);
  EXPECT_EQ(view->height, 2);
  EXPECT_EQ(view->stride, 2u);
  const auto pixels = [&] { return std::vector<std::uint32_t>(view->pixels, view->pixels + 4); };
  EXPECT_EQ(pixels(), (std::vector<std::uint32_t>{0x123456, 0x030201, 0x0C0B0A, 0xD0E0F0}));
  // Drawing shows through the same view; the top byte a raster operation
  // leaves is there too, and is no part of what ReadImage gives.
  ASSERT_TRUE(gdi.BitBlt(color, 0, 0, 2, 2, DcHandle{}, 0, 0, rop::DSTINVERT));
  EXPECT_EQ(gdi.ViewImage(color)->pixels, view->pixels);
  EXPECT_EQ(pixels(), (std::vector<std::uint32_t>{0xFFEDCBA9, 0xFFFCFDFE, 0xFFF3F4F5, 0xFF2F1F0F}));
  std::vector<std::uint32_t> colours = pixels();
  for (std::uint32_t& pixel : colours) pixel &= 0x00FFFFFFu;
  EXPECT_EQ(gdi.ReadImage(color)->pixels, colours);

  const std::uint8_t mono_bits[] = {0x80, 0x00};
  const DcHandle mono = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(mono, gdi.CreateBitmap(1, 1, 1, 1, mono_bits));
  EXPECT_FALSE(gdi.ViewImage(mono));
  EXPECT_FALSE(gdi.ViewImage(gdi.CreateCompatibleDC(DcHandle{})));  // the stock bitmap
  EXPECT_FALSE(gdi.ViewImage(DcHandle{}));
  EXPECT_TRUE(gdi.DeleteDC(color));
  EXPECT_FALSE(gdi.ViewImage(color));
}

TEST(SoftGdiObjectsTest, CreateDIBitmapInitialisesFromDib) {
  SoftGdi gdi;
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(dc, gdi.CreateColorBitmap(1, 1));
  BitmapInfoHeader header;
  header.biWidth = 2;
  header.biHeight = 2;  // bottom-up: the first row in memory is the lowest
  header.biBitCount = 24;
  const std::uint8_t bits[] = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  const BitmapHandle bitmap =
      gdi.CreateDIBitmap(dc, &header, CBM_INIT, bits, &header, DIB_RGB_COLORS);
  const DcHandle view = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(view, bitmap);
  EXPECT_EQ(gdi.ReadImage(view)->pixels,
            (std::vector<std::uint32_t>{0x090807, 0x0C0B0A, 0x030201, 0x060504}));
  header.biBitCount = 8;  // not a format it reads: the call fails and leaks nothing
  const std::size_t before = gdi.live_object_count();
  EXPECT_FALSE(gdi.CreateDIBitmap(dc, &header, CBM_INIT, bits, &header, DIB_RGB_COLORS));
  EXPECT_EQ(gdi.live_object_count(), before);
}

class FillBoxTest : public ::testing::TestWithParam<gdi_cases::FillCase> {};

TEST_P(FillBoxTest, FillsBetweenCorners) {
  const gdi_cases::FillCase& c = GetParam();
  SoftGdi gdi;
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  constexpr int kWidth = gdi_cases::kFillWidth, kHeight = gdi_cases::kFillHeight;
  gdi.SelectObject(dc, gdi.CreateColorBitmap(kWidth, kHeight));
  ASSERT_TRUE(gdi.FillBox(dc, c.x1, c.y1, c.x2, c.y2, rgb(0x11, 0x22, 0x33)));
  std::string drawn;
  const PixelImage image = *gdi.ReadImage(dc);
  for (int y = 0; y < kHeight; ++y) {
    if (y) drawn += '|';
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t pixel = image.pixels[y * kWidth + x];
      EXPECT_TRUE(pixel == 0 || pixel == 0x112233u);
      drawn += pixel ? '#' : '.';
    }
  }
  EXPECT_EQ(drawn, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FillBoxTest, ::testing::ValuesIn(gdi_cases::fill_cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// The cross-fade writes its frames in place: what is written is what
// ReadImage and the next BitBlt give, and only where ViewImage gives a view.
TEST(SoftGdiObjectsTest, EditImageWritesTheSelectedColourBitmap) {
  SoftGdi gdi;
  const DcHandle color = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(color, gdi.CreateColorBitmap(3, 2));
  const auto target = gdi.EditImage(color);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->width, 3);
  EXPECT_EQ(target->height, 2);
  EXPECT_EQ(target->stride, 3u);
  target->pixels[1 * 3 + 2] = 0x00ABCDEF;
  EXPECT_EQ(gdi.ReadImage(color)->pixels[1 * 3 + 2], 0x00ABCDEFu);
  const DcHandle copy = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(copy, gdi.CreateColorBitmap(3, 2));
  gdi.BitBlt(copy, -1, -1, 3, 2, color, 0, 0, rop::SRCCOPY);
  EXPECT_EQ(gdi.ReadImage(copy)->pixels, (std::vector<std::uint32_t>{0, 0x00ABCDEF, 0, 0, 0, 0}));

  const DcHandle mono = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(mono, gdi.CreateBitmap(1, 1, 1, 1, nullptr));
  EXPECT_FALSE(gdi.EditImage(mono));
  EXPECT_FALSE(gdi.EditImage(DcHandle{}));
}

}  // namespace
}  // namespace showsaver
