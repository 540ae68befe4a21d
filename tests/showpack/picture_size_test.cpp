// Sizes worked out from a picture's header before anything is decoded: a
// photo far larger than the area is decoded at a reduced size and stored
// fitted; a header that claims more than can be decoded is refused with
// its real dimensions.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "formats/bmp/bmp_decoder.h"
#include "jpeg_files.h"
#include "showpack/claimed_picture_size.h"
#include "showpack/picture_import.h"

namespace showsaver::showpack {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A grey JPEG, dark on the left and light on the right, written a row at a
// time so that the test holds no picture of that size.
Bytes horizontal_ramp_jpeg(int width, int height) {
  return test::write_jpeg({width, height, 1}, [width](int, std::uint8_t* row) {
    for (int x = 0; x < width; ++x) row[x] = std::uint8_t(x * 255 / (width - 1));
  });
}

void put_chunk(Bytes& png, const char* type, const Bytes& data) {
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(std::uint8_t(data.size() >> shift));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  png.insert(png.end(), typed.begin(), typed.end());
  const uLong crc = crc32(0, typed.data(), uInt(typed.size()));
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(std::uint8_t(crc >> shift));
}

// A PNG whose header claims `side` x `side` pixels of 8-bit RGB, with
// hardly any pixel data behind it.
Bytes png_claiming(std::uint32_t side) {
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  for (int i = 0; i < 2; ++i) {
    for (int shift = 24; shift >= 0; shift -= 8) header.push_back(std::uint8_t(side >> shift));
  }
  header.insert(header.end(), {8, 2, 0, 0, 0});
  put_chunk(png, "IHDR", header);
  put_chunk(png, "IDAT", {0x78, 0x9C, 0x63, 0, 0, 0, 1, 0, 1});
  put_chunk(png, "IEND", {});
  return png;
}

TEST(PictureSize, APhotoFarLargerThanTheAreaIsStoredFittedFromAReducedDecoding) {
  const Bytes photo = horizontal_ramp_jpeg(10000, 7500);
  const auto header = read_picture_header(photo);
  ASSERT_TRUE(std::holds_alternative<PictureHeader>(header)) << std::get<std::string>(header);
  EXPECT_EQ(std::get<PictureHeader>(header).size, (Size{10000, 7500}));
  // A quarter of each side still covers 1440x1080; an eighth would not.
  EXPECT_EQ(decoded_size(std::get<PictureHeader>(header), {1440, 1080}), (Size{2500, 1875}));
  // The smallest reduction, an eighth, whenever it still covers the area.
  EXPECT_EQ(decoded_size(std::get<PictureHeader>(header), {1250, 937}), (Size{1250, 938}));

  const auto imported = import_picture(photo, Fit::contain, {1920, 1080}, Rgb32{0});
  ASSERT_TRUE(std::holds_alternative<ImportedPicture>(imported)) << std::get<std::string>(imported);
  const auto decoded = decode_bmp(std::get<ImportedPicture>(imported).bmp);
  const PixelImage& stored = std::get<PixelImage>(decoded);
  ASSERT_EQ(stored.width, 1440);
  ASSERT_EQ(stored.height, 1080);
  const auto grey = [&](int x) { return int(stored.pixels[std::size_t(540 * 1440 + x)] & 0xFF); };
  EXPECT_NEAR(grey(0), 0, 4);
  EXPECT_NEAR(grey(720), 128, 4);
  EXPECT_NEAR(grey(1439), 255, 4);
}

TEST(PictureSize, RefusedWithTheLimitAndTheRealDimensions) {
  // Started as by any earlier picture of a build: from then on the library's
  // policy refuses to read a header this large at all.
  start_image_library();
  const Bytes huge = png_claiming(46000);
  const auto header = read_picture_header(huge);
  ASSERT_TRUE(std::holds_alternative<PictureHeader>(header)) << std::get<std::string>(header);
  EXPECT_EQ(std::get<PictureHeader>(header).size, (Size{46000, 46000}));
  struct Case {
    std::optional<Fit> fit;
    std::string message;
  };
  const Case cases[] = {
      {Fit::contain,
       "is 46000x46000 (2116000000 pixels); a PNG picture is decoded whole before it is fitted, "
       "and may hold at most 67108864 pixels (such as 8192x8192); only JPEG photos are decoded "
       "at a reduced size"},
      {std::nullopt,
       "is 46000x46000 and would be stored at 46000x46000 (2116000000 pixels); a stored picture "
       "holds at most 67108864 pixels (such as 8192x8192): fit it to the picture area with fit = "
       "\"contain\""},
  };
  for (const Case& c : cases) {
    const auto imported = import_picture(huge, c.fit, {1920, 1080}, Rgb32{0});
    ASSERT_TRUE(std::holds_alternative<std::string>(imported));
    EXPECT_EQ(std::get<std::string>(imported), c.message);
  }
}

// Each format's header read without the library, as its own bytes state it.
TEST(PictureSize, ClaimedByTheHeaderOfEachFormat) {
  const Bytes gif{'G', 'I', 'F', '8', '9', 'a', 0x10, 0x27, 0x03, 0x01};
  Bytes webp_extended{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P', 'V', 'P', '8', 'X'};
  webp_extended.resize(24);
  webp_extended.insert(webp_extended.end(), {0xAF, 0xB3, 0x00, 0x0D, 0x00, 0x00});  // 46000 x 14
  const Bytes small_png = png_claiming(5);
  struct Case {
    Bytes file;
    PictureFormat format;
    std::optional<Size> claimed;
  };
  const Case cases[] = {
      {png_claiming(46000), PictureFormat::png, Size{46000, 46000}},
      {gif, PictureFormat::gif, Size{10000, 259}},
      {horizontal_ramp_jpeg(37, 23), PictureFormat::jpeg, Size{37, 23}},
      {webp_extended, PictureFormat::webp, Size{46000, 14}},
      {Bytes(small_png.begin(), small_png.begin() + 20), PictureFormat::png, {}},
      {Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00}, PictureFormat::jpeg, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(claimed_picture_size(c.file, c.format), c.claimed) << int(c.format);
  }
}

}  // namespace
}  // namespace showsaver::showpack
