// The picture area as a monitor shows it: the size it takes, and its pixels
// scaled.
#include "platform/picture_scaling.h"

#include <gtest/gtest.h>

#include <random>

namespace showsaver {
namespace {

PixelView view(const PixelImage& image) {
  return {image.pixels.data(), image.width, image.height, static_cast<std::size_t>(image.width)};
}

PixelImage random_image(int width, int height, std::uint32_t seed) {
  std::mt19937 random(seed);
  PixelImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) image.pixels.push_back(random());  // top byte too
  return image;
}

TEST(PictureScaling, PresentedSizeScalesThenFitsKeepingTheAspect) {
  const struct {
    Size picture, monitor;
    int percent;
    Size expected;
  } cases[] = {
      {{640, 480}, {800, 600}, 100, {640, 480}},    // fits: as it is
      {{320, 240}, {800, 600}, 200, {640, 480}},    // 192 DPI
      {{320, 240}, {800, 600}, 150, {480, 360}},    // 144 DPI
      {{333, 111}, {2000, 2000}, 125, {416, 139}},  // rounded
      {{1920, 1080}, {800, 600}, 100, {800, 450}},  // too wide: width-bound
      {{600, 900}, {800, 600}, 100, {400, 600}},    // too tall: height-bound
      {{640, 480}, {800, 600}, 200, {800, 600}},    // scaled past the monitor
      {{5000, 1}, {800, 600}, 100, {800, 1}},       // never thinner than a pixel
      {{0, 480}, {800, 600}, 100, {0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(presented_size(c.picture, c.monitor, c.percent), c.expected)
        << c.picture.width << "x" << c.picture.height << " at " << c.percent << "%";
  }
}

TEST(PictureScaling, FittedSizeFillsTheBoxOnOneSideKeepingTheAspect) {
  const struct {
    Size picture, box, expected;
  } cases[] = {
      {{640, 480}, {152, 112}, {149, 112}},  // the control panel's preview: height-bound
      {{160, 120}, {152, 112}, {149, 112}},  // the same aspect at any size
      {{800, 450}, {152, 112}, {152, 86}},   // wide: width-bound, rounded
      {{40, 30}, {152, 112}, {149, 112}},    // smaller than the box: made larger
      {{152, 112}, {152, 112}, {152, 112}},  // as it is
      {{1, 5000}, {152, 112}, {1, 112}},     // never thinner than a pixel
      {{640, 480}, {0, 112}, {0, 0}},       {{0, 480}, {152, 112}, {0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fitted_size(c.picture, c.box), c.expected)
        << c.picture.width << "x" << c.picture.height << " in " << c.box.width << "x"
        << c.box.height;
  }
}

TEST(PictureScaling, WholeMultiplesRepeatEachPixelExactly) {
  const PixelImage source = random_image(7, 5, 1);
  for (const int factor : {1, 2, 3}) {
    const PixelImage scaled = scaled_picture(view(source), {7 * factor, 5 * factor});
    for (int y = 0; y < scaled.height; ++y) {
      for (int x = 0; x < scaled.width; ++x) {
        ASSERT_EQ(scaled.pixels[std::size_t(y * scaled.width + x)],
                  source.pixels[std::size_t(y / factor * 7 + x / factor)] & 0x00FFFFFFu)
            << factor << " at " << x << "," << y;
      }
    }
  }
}

// Any filter whose weights do not sum to one shows on a flat colour.
TEST(PictureScaling, AFlatColourStaysFlatAtEverySize) {
  const PixelImage source{13, 11, std::vector<std::uint32_t>(13 * 11, 0xFF80C0FFu)};
  for (const Size size : {Size{1, 1}, Size{5, 4}, Size{12, 10}, Size{14, 17}, Size{40, 29}}) {
    const PixelImage scaled = scaled_picture(view(source), size);
    for (const std::uint32_t pixel : scaled.pixels) ASSERT_EQ(pixel, 0x0080C0FFu) << size.width;
  }
}

TEST(PictureScaling, ShrinkingAveragesAndGrowingInterpolates) {
  // Halving averages each 2 x 2 block.
  const PixelImage checks{2, 2, {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000}};
  EXPECT_EQ(scaled_picture(view(checks), {1, 1}).pixels, (std::vector<std::uint32_t>{0x808080}));
  // Three to two: each covers one and a half, the middle pixel shared.
  const PixelImage row{3, 1, {0x000000, 0x00FF00, 0x0000FF}};
  EXPECT_EQ(scaled_picture(view(row), {2, 1}).pixels,
            (std::vector<std::uint32_t>{0x005500, 0x0055AA}));
  // Growing a ramp by a factor that is not whole: values between their
  // neighbours, never decreasing, the ends kept.
  const PixelImage ramp{4, 1, {0x000000, 0x000040, 0x000080, 0x0000FF}};
  const PixelImage grown = scaled_picture(view(ramp), {10, 1});
  EXPECT_EQ(grown.pixels.front(), 0x000000u);
  EXPECT_EQ(grown.pixels.back(), 0x0000FFu);
  EXPECT_TRUE(std::is_sorted(grown.pixels.begin(), grown.pixels.end()));
}

}  // namespace
}  // namespace showsaver
