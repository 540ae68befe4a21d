// The studio's conversion of a decoded photo into the stored bitmap: the
// fitted size, the centred cut of a cover, and transparency flattened onto
// the show's background, read back with the player's own decoder.
#include "engine/picture_conversion.h"

#include <gtest/gtest.h>

#include <variant>

#include "formats/bmp/bmp_decoder.h"

namespace showsaver::studio {
namespace {

using showpack::Fit;

// `size` pixels in three upright bands, red, green and blue from the left;
// every byte of alpha `alpha`.
std::vector<std::uint8_t> three_bands(Size size, std::uint8_t alpha = 0xFF) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      const int band = x * 3 / size.width;
      rgba.insert(rgba.end(),
                  {std::uint8_t(band == 0 ? 0xFF : 0), std::uint8_t(band == 1 ? 0xFF : 0),
                   std::uint8_t(band == 2 ? 0xFF : 0), alpha});
    }
  }
  return rgba;
}

PixelImage decoded(const ConvertedPicture& picture) {
  auto image = decode_bmp(picture.bmp);
  EXPECT_TRUE(std::holds_alternative<PixelImage>(image));
  return std::holds_alternative<PixelImage>(image) ? std::get<PixelImage>(image) : PixelImage{};
}

TEST(PictureConversion, FitsToTheAreaAndStoresWhatItSays) {
  struct Case {
    Fit fit;
    Size picture;
    Size area;
    Size stored;
  } const cases[] = {
      {Fit::contain, {60, 20}, {30, 30}, {30, 10}},  // width-bound
      {Fit::contain, {20, 60}, {90, 30}, {10, 30}},  // height-bound
      {Fit::cover, {60, 20}, {30, 30}, {30, 30}},    // scaled to 90 x 30, cut to the area
      {Fit::cover, {30, 30}, {60, 20}, {60, 20}},
      {Fit::none, {60, 20}, {30, 30}, {60, 20}},  // as it is, larger than the area
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string(showpack::fit_name(test.fit)) + " " +
                 std::to_string(test.picture.width) + "x" + std::to_string(test.picture.height));
    const ConvertedPicture picture =
        convert_picture(three_bands(test.picture), test.picture, test.fit, test.area, Rgb32{0});
    EXPECT_EQ(picture.size, test.stored);
    const PixelImage image = decoded(picture);
    EXPECT_EQ((Size{image.width, image.height}), test.stored);
  }
}

TEST(PictureConversion, ACoverKeepsTheMiddleOfAPictureWiderThanTheArea) {
  // 60 x 20 covering 20 x 20 keeps its size and loses the outer bands.
  const PixelImage image =
      decoded(convert_picture(three_bands({60, 20}), {60, 20}, Fit::cover, {20, 20}, Rgb32{0}));
  ASSERT_EQ(image.width, 20);
  for (std::uint32_t pixel : image.pixels) ASSERT_EQ(pixel, 0x00FF00u);
}

TEST(PictureConversion, TransparencyShowsTheBackground) {
  struct Case {
    std::uint8_t alpha;
    std::uint32_t left_pixel;  // red over the background 0x204080
  } const cases[] = {{0x00, 0x204080}, {0xFF, 0xFF0000}, {0x80, 0x902040}};
  for (const Case& test : cases) {
    const PixelImage image = decoded(convert_picture(three_bands({3, 1}, test.alpha), {3, 1},
                                                     Fit::none, {3, 1}, Rgb32{0x204080}));
    ASSERT_EQ(image.pixels.size(), 3u);
    EXPECT_EQ(image.pixels[0], test.left_pixel) << "alpha " << int(test.alpha);
  }
}

}  // namespace
}  // namespace showsaver::studio
