// The Win32 GDI pass-through draws what the software GDI draws: the same
// sequences on both, read back and compared pixel for pixel.
#include "platform/win32/win32_gdi.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "platform/soft/soft_gdi.h"
#include "player/transparent_blit.h"

namespace showsaver {
namespace {

constexpr int kWidth = 61;
constexpr int kHeight = 47;
constexpr ColorRef kTransparent = rgb(0, 0, 0xFF);

// Random pixels, a quarter of them the transparent colour.
PixelImage sprite(int width, int height, std::uint32_t seed) {
  std::mt19937 random(seed);
  PixelImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    image.pixels.push_back(random() % 4 == 0 ? raw(to_pixel(kTransparent))
                                             : static_cast<std::uint32_t>(random() & 0xFFFFFF));
  }
  return image;
}

using Drawing = std::function<void(Gdi&, DcHandle target, DcHandle picture)>;

// Runs `drawing` on a colour surface filled with grey and a picture of the
// sprite, and reads the surface back.
std::optional<PixelImage> draw_on(Gdi& gdi, const Drawing& drawing) {
  const DcHandle target = gdi.CreateCompatibleDC(DcHandle{});
  const BitmapHandle surface = gdi.CreateColorBitmap(kWidth, kHeight);
  const BitmapHandle target_stock = gdi.SelectObject(target, surface);
  gdi.FillBox(target, 0, 0, kWidth - 1, kHeight - 1, rgb(0x80, 0x80, 0x80));
  const DcHandle picture = gdi.CreateCompatibleDC(DcHandle{});
  const BitmapHandle image = gdi.CreateBitmapFromImage(sprite(40, 30, 7));
  const BitmapHandle picture_stock = gdi.SelectObject(picture, image);
  drawing(gdi, target, picture);
  auto result = gdi.ReadImage(target);
  gdi.SelectObject(picture, picture_stock);
  gdi.SelectObject(target, target_stock);
  gdi.DeleteObject(image);
  gdi.DeleteObject(surface);
  gdi.DeleteDC(picture);
  gdi.DeleteDC(target);
  return result;
}

void expect_same_pixels(const std::optional<PixelImage>& actual,
                        const std::optional<PixelImage>& expected, const char* name) {
  ASSERT_TRUE(actual && expected) << name;
  ASSERT_EQ(actual->width, expected->width) << name;
  ASSERT_EQ(actual->height, expected->height) << name;
  int differing = 0;
  for (std::size_t i = 0; i < actual->pixels.size(); ++i) {
    if (actual->pixels[i] == expected->pixels[i]) continue;
    if (differing++ == 0) {
      ADD_FAILURE() << name << ": first difference at (" << i % actual->width << ", "
                    << i / actual->width << "): " << std::hex << actual->pixels[i] << " instead of "
                    << expected->pixels[i];
    }
  }
  EXPECT_EQ(differing, 0) << name;
}

TEST(Win32Gdi, DrawsWhatTheSoftwareGdiDraws) {
  const struct {
    const char* name;
    Drawing drawing;
  } cases[] = {
      {"filled boxes: corners included, either order, clipped",
       [](Gdi& gdi, DcHandle target, DcHandle) {
         gdi.FillBox(target, 40, 30, -5, 3, rgb(10, 200, 30));
         gdi.FillBox(target, 7, 7, 7, 7, rgb(255, 0, 0));
         gdi.FillBox(target, kWidth + 3, 0, kWidth + 9, 5, rgb(0, 0, 0));
         gdi.FillBox(target, 50, 40, 0x7FFFFFFF, 0x7FFFFFFF, rgb(1, 2, 3));
       }},
      {"blits with the raster operations of the effects and the sprite blit",
       [](Gdi& gdi, DcHandle target, DcHandle picture) {
         gdi.BitBlt(target, -3, -2, 40, 30, picture, 0, 0, rop::SRCCOPY);
         gdi.BitBlt(target, 20, 10, 30, 20, picture, 5, 4, rop::SRCINVERT);
         gdi.BitBlt(target, 30, 25, 40, 30, picture, 0, 0, rop::SRCAND);
         gdi.BitBlt(target, 0, 30, 25, 25, picture, 10, 10, rop::SRCPAINT);
         gdi.BitBlt(target, 45, 0, 10, 10, picture, 0, 0, rop::NOTSRCCOPY);
         gdi.BitBlt(target, 5, 5, 8, 40, DcHandle{}, 0, 0, rop::DSTINVERT);
         gdi.BitBlt(target, 50, 35, 8, 8, DcHandle{}, 0, 0, rop::WHITENESS);
       }},
      {"stretching up and down in the DC's own stretch mode",
       [](Gdi& gdi, DcHandle target, DcHandle picture) {
         gdi.StretchBlt(target, 0, 0, kWidth, kHeight, picture, 3, 2, 17, 11, rop::SRCCOPY);
         gdi.StretchBlt(target, 10, 8, 13, 9, picture, 0, 0, 40, 30, rop::SRCCOPY);
         gdi.StretchBlt(target, 55, 40, -20, -15, picture, 0, 0, 40, 30, rop::SRCCOPY);
       }},
      {"the transparent sprite blit",
       [](Gdi& gdi, DcHandle target, DcHandle picture) {
         BlitTransparent(gdi, target, 12, 9, 40, 30, picture, 0, 0, kTransparent);
         BlitTransparent(gdi, target, -10, 30, 40, 30, picture, 0, 0, kTransparent);
       }},
  };
  for (const auto& c : cases) {
    Win32Gdi win32;
    SoftGdi soft;
    expect_same_pixels(draw_on(win32, c.drawing), draw_on(soft, c.drawing), c.name);
  }
}

TEST(Win32Gdi, ReadsBackPicturesAndMasks) {
  Win32Gdi gdi;
  const PixelImage picture = sprite(9, 5, 3);
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  const BitmapHandle bitmap = gdi.CreateBitmapFromImage(picture);
  const BitmapHandle stock = gdi.SelectObject(dc, bitmap);
  EXPECT_EQ(gdi.ReadImage(dc), picture);
  // The mask of the transparent colour, read as black and white.
  const DcHandle mask_dc = gdi.CreateCompatibleDC(dc);
  const BitmapHandle mask = gdi.CreateBitmap(9, 5, 1, 1, nullptr);
  const BitmapHandle mask_stock = gdi.SelectObject(mask_dc, mask);
  gdi.SetBkColor(dc, kTransparent);
  gdi.BitBlt(mask_dc, 0, 0, 9, 5, dc, 0, 0, rop::SRCCOPY);
  const auto read = gdi.ReadImage(mask_dc);
  ASSERT_TRUE(read);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const bool transparent = picture.pixels[i] == raw(to_pixel(kTransparent));
    EXPECT_EQ(read->pixels[i], transparent ? 0xFFFFFFu : 0u) << i;
  }
  EXPECT_EQ(gdi.GetBkColor(dc), kTransparent);
  gdi.SelectObject(mask_dc, mask_stock);
  gdi.SelectObject(dc, stock);
  gdi.DeleteObject(mask);
  gdi.DeleteObject(bitmap);
  gdi.DeleteDC(mask_dc);
  gdi.DeleteDC(dc);
  EXPECT_FALSE(gdi.ReadImage(dc)) << "a deleted DC";
}

// The cross-fade writes its frames into a DIB section's bits: they must be
// the selected section's own rows, hold what GDI drew (flushed), and be what
// the next BitBlt reads; a bitmap without reachable top-down 32-bit rows (a
// device-dependent or monochrome one, the stock bitmap) gives none.
TEST(Win32Gdi, EditImageIsTheSelectedDibSectionInPlace) {
  Win32Gdi gdi;
  const PixelImage picture = sprite(5, 3, 11);
  for (const bool from_image : {false, true}) {
    SCOPED_TRACE(from_image ? "CreateBitmapFromImage" : "CreateColorBitmap");
    const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
    const BitmapHandle bitmap =
        from_image ? gdi.CreateBitmapFromImage(picture) : gdi.CreateColorBitmap(5, 3);
    const BitmapHandle stock = gdi.SelectObject(dc, bitmap);
    gdi.FillBox(dc, 1, 1, 1, 1, rgb(0x12, 0x34, 0x56));
    const auto target = gdi.EditImage(dc);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->width, 5);
    EXPECT_EQ(target->height, 3);
    EXPECT_EQ(target->stride, 5u);
    EXPECT_EQ(target->pixels[1 * 5 + 1], 0x123456u) << "the fill, flushed";
    if (from_image) {
      EXPECT_EQ(target->pixels[2 * 5 + 4], picture.pixels[2 * 5 + 4]);
    }
    EXPECT_EQ(gdi.ViewImage(dc)->pixels, target->pixels);
    target->pixels[2 * 5 + 3] = 0x00ABCDEF;
    const DcHandle copy = gdi.CreateCompatibleDC(DcHandle{});
    const BitmapHandle copy_bitmap = gdi.CreateColorBitmap(5, 3);
    const BitmapHandle copy_stock = gdi.SelectObject(copy, copy_bitmap);
    gdi.BitBlt(copy, 0, 0, 5, 3, dc, 0, 0, rop::SRCCOPY);
    EXPECT_EQ(gdi.ReadImage(copy)->pixels[2 * 5 + 3], 0x00ABCDEFu);
    gdi.SelectObject(copy, copy_stock);
    gdi.DeleteObject(copy_bitmap);
    gdi.DeleteDC(copy);
    gdi.SelectObject(dc, stock);
    gdi.DeleteObject(bitmap);
    EXPECT_FALSE(gdi.EditImage(dc)) << "the stock bitmap";
    gdi.DeleteDC(dc);
  }
  const DcHandle dc = gdi.CreateCompatibleDC(DcHandle{});
  const BitmapHandle mono = gdi.CreateBitmap(4, 4, 1, 1, nullptr);
  const BitmapHandle stock = gdi.SelectObject(dc, mono);
  EXPECT_FALSE(gdi.EditImage(dc)) << "a monochrome bitmap";
  gdi.SelectObject(dc, stock);
  gdi.DeleteObject(mono);
  gdi.DeleteDC(dc);
  EXPECT_FALSE(gdi.EditImage(DcHandle{}));
}

TEST(Win32Gdi, RefusesMalformedImages) {
  Win32Gdi gdi;
  EXPECT_FALSE(gdi.CreateBitmapFromImage(PixelImage{0, 5, {}}));
  EXPECT_FALSE(gdi.CreateBitmapFromImage(PixelImage{2, 2, {1, 2, 3}}));
  EXPECT_FALSE(gdi.CreateColorBitmap(1 << 14, 1 << 14)) << "more pixels than a picture may have";
}

}  // namespace
}  // namespace showsaver
