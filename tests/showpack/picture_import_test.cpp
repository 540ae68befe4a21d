// Pictures in other formats, written here with each format's own library,
// must come out of the import as the pixels that went in.
#include "showpack/picture_import.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <webp/encode.h>
#include <webp/types.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include "formats/bmp/bmp_decoder.h"
#include "formats/rgb_bytes.h"
#include "jpeg_files.h"
#include "support/bitmap_files.h"

namespace showsaver::showpack {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint8_t channel(std::uint32_t pixel, int shift) {
  return std::uint8_t(pixel >> shift);
}

// Half of the picture's pixels are fully transparent, the rest opaque.
Bytes png_with_alpha(const PixelImage& image) {
  Bytes rgba;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const std::uint32_t p = image.pixels[i];
    rgba.insert(rgba.end(),
                {channel(p, 16), channel(p, 8), channel(p, 0), std::uint8_t(i % 2 ? 0 : 255)});
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(image.width);
  png.height = png_uint_32(image.height);
  png.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, rgba.data(), 0, nullptr);
  Bytes out(size);
  EXPECT_TRUE(png_image_write_to_memory(&png, out.data(), &size, 0, rgba.data(), 0, nullptr));
  out.resize(size);
  return out;
}

// A JPEG whose EXIF orientation 6 says "turn 90 degrees clockwise to view".
Bytes jpeg_turned(const PixelImage& image) {
  static constexpr std::uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0,    'I', 'I', 42, 0, 8,
                                           0,   0,   0,   1,   0, 0x12, 1,   3,   0,  1, 0,
                                           0,   0,   6,   0,   0, 0,    0,   0,   0,  0};
  const Bytes rgb = rgb_bytes(image);
  return test::write_jpeg({image.width, image.height, 3, 95, kExif}, [&](int y, std::uint8_t* row) {
    std::copy_n(&rgb[std::size_t(y) * image.width * 3], image.width * 3, row);
  });
}

// The JPEG's stored pixels, decoded here, turned as its orientation says.
PixelImage jpeg_pixels_turned(const Bytes& file) {
  jpeg_decompress_struct jpeg{};
  jpeg_error_mgr errors{};
  jpeg.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&jpeg);
  jpeg_mem_src(&jpeg, file.data(), file.size());
  jpeg_read_header(&jpeg, TRUE);
  jpeg.out_color_space = JCS_RGB;
  jpeg_start_decompress(&jpeg);
  const int w = int(jpeg.output_width), h = int(jpeg.output_height);
  Bytes rgb(std::size_t(w) * h * 3);
  while (jpeg.output_scanline < jpeg.output_height) {
    JSAMPROW row = &rgb[std::size_t(jpeg.output_scanline) * w * 3];
    jpeg_read_scanlines(&jpeg, &row, 1);
  }
  jpeg_finish_decompress(&jpeg);
  jpeg_destroy_decompress(&jpeg);
  PixelImage turned{h, w, std::vector<std::uint32_t>(std::size_t(w) * h)};
  for (int y = 0; y < w; ++y) {
    for (int x = 0; x < h; ++x) {
      const std::uint8_t* p = &rgb[(std::size_t(h - 1 - x) * w + y) * 3];
      turned.pixels[std::size_t(y) * h + x] = std::uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
    }
  }
  return turned;
}

int write_to_vector(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

// Two frames: `image` (at most 256 colours), then the same in reverse.
Bytes gif_two_frames(const PixelImage& image) {
  std::vector<std::uint32_t> colours;
  for (const std::uint32_t p : image.pixels) {
    if (std::find(colours.begin(), colours.end(), p) == colours.end()) colours.push_back(p);
  }
  ColorMapObject* map = GifMakeMapObject(256, nullptr);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    map->Colors[i] = {channel(colours[i], 16), channel(colours[i], 8), channel(colours[i], 0)};
  }
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, write_to_vector, &error);
  EGifPutScreenDesc(gif, image.width, image.height, 8, 0, map);
  for (int frame = 0; frame < 2; ++frame) {
    EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr);
    for (int y = 0; y < image.height; ++y) {
      std::vector<GifPixelType> row;
      for (int x = 0; x < image.width; ++x) {
        const std::size_t i = std::size_t(y) * image.width + x;
        const std::uint32_t p = image.pixels[frame == 0 ? i : image.pixels.size() - 1 - i];
        row.push_back(GifPixelType(std::find(colours.begin(), colours.end(), p) - colours.begin()));
      }
      EGifPutLine(gif, row.data(), image.width);
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

Bytes webp_lossless(const PixelImage& image) {
  const Bytes rgb = rgb_bytes(image);
  std::uint8_t* encoded = nullptr;
  const std::size_t size =
      WebPEncodeLosslessRGB(rgb.data(), image.width, image.height, image.width * 3, &encoded);
  Bytes out(encoded, encoded + size);
  WebPFree(encoded);
  return out;
}

PixelImage gradient(int width, int height) {
  PixelImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.pixels.push_back(std::uint32_t(x * 255 / (width - 1)) << 16 |
                             std::uint32_t(y * 255 / (height - 1)) << 8 | 0x60);
    }
  }
  return image;
}

PixelImage few_colours(int width, int height) {
  PixelImage image = test::make_test_picture(width, height, 7);
  for (std::uint32_t& p : image.pixels) p &= 0xE0C080;  // 8 x 4 x 2 colours at most
  return image;
}

constexpr std::uint32_t kBack = 0x204060;

// The picture with every odd pixel replaced by the background colour.
PixelImage flattened(PixelImage image) {
  for (std::size_t i = 1; i < image.pixels.size(); i += 2) image.pixels[i] = kBack;
  return image;
}

struct FormatCase {
  const char* name;
  std::function<Bytes()> file;
  std::function<PixelImage()> expected;
  int tolerance;  // per channel
  int bit_count;  // of the stored bitmap
  friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }
};

class PictureImport : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PictureImport, StoresTheDecodedPixelsAsAnUncompressedBitmap) {
  const Bytes file = GetParam().file();
  const auto imported = import_picture(file, std::nullopt, {100, 100}, Rgb32{kBack});
  ASSERT_TRUE(std::holds_alternative<ImportedPicture>(imported)) << std::get<std::string>(imported);
  const ImportedPicture& picture = std::get<ImportedPicture>(imported);
  EXPECT_TRUE(picture.converted);
  ASSERT_GE(picture.bmp.size(), 54u);
  EXPECT_EQ(picture.bmp[28], GetParam().bit_count);
  EXPECT_EQ(picture.bmp[30], 0) << "compressed";
  const auto decoded = decode_bmp(picture.bmp);  // the player's decoder
  ASSERT_TRUE(std::holds_alternative<PixelImage>(decoded)) << std::get<std::string>(decoded);
  const PixelImage& got = std::get<PixelImage>(decoded);
  const PixelImage expected = GetParam().expected();
  ASSERT_EQ(got.width, expected.width);
  ASSERT_EQ(got.height, expected.height);
  EXPECT_EQ(picture.size.width, expected.width);
  int worst = 0;
  for (std::size_t i = 0; i < got.pixels.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      worst = std::max(worst, std::abs(int(channel(got.pixels[i], shift)) -
                                       int(channel(expected.pixels[i], shift))));
    }
  }
  EXPECT_LE(worst, GetParam().tolerance);
}

const PixelImage kMany = test::make_test_picture(23, 13, 3);  // > 256 colours
const PixelImage kFew = few_colours(13, 7);
const Bytes kJpeg = jpeg_turned(gradient(24, 16));

INSTANTIATE_TEST_SUITE_P(Formats, PictureImport,
                         ::testing::Values(
                             // Flattened, half the pixels take the background colour: 8 bits.
                             FormatCase{"PngWithTransparency", [] { return png_with_alpha(kMany); },
                                        [] { return flattened(kMany); }, 0, 8},
                             FormatCase{"JpegTurnedByExif", [] { return kJpeg; },
                                        [] { return jpeg_pixels_turned(kJpeg); }, 2, 24},
                             FormatCase{"GifFirstFrame", [] { return gif_two_frames(kFew); },
                                        [] { return kFew; }, 0, 8},
                             FormatCase{"WebpLossless", [] { return webp_lossless(kMany); },
                                        [] { return kMany; }, 0, 24}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(PictureImportBmp, BitmapThatNeedsNoScalingIsKeptByteForByte) {
  const Bytes bmp = test::make_bmp_24(kMany);
  for (const std::optional<Fit> fit : {std::optional<Fit>{}, std::optional{Fit::none}}) {
    const auto imported = import_picture(bmp, fit, {10, 10}, Rgb32{0});
    ASSERT_TRUE(std::holds_alternative<ImportedPicture>(imported));
    EXPECT_FALSE(std::get<ImportedPicture>(imported).converted);
    EXPECT_EQ(std::get<ImportedPicture>(imported).bmp, bmp);
  }
}

TEST(PictureImportBmp, RefusesWhatIsNoPicture) {
  const Bytes riff{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
  Bytes broken_png = png_with_alpha(kFew);
  broken_png.resize(40);
  for (const Bytes& file : {riff, broken_png}) {
    const auto imported = import_picture(file, std::nullopt, {10, 10}, Rgb32{0});
    ASSERT_TRUE(std::holds_alternative<std::string>(imported));
  }
}

TEST(PictureFit, SizesKeepTheAspectRatio) {
  struct Case {
    Size picture, area;
    Fit fit;
    Size expected;
  };
  const Case cases[] = {
      {{400, 300}, {1920, 1080}, Fit::contain, {1440, 1080}},
      {{400, 300}, {1920, 1080}, Fit::cover, {1920, 1440}},
      {{300, 400}, {100, 100}, Fit::contain, {75, 100}},
      {{300, 400}, {100, 100}, Fit::cover, {100, 133}},
      {{1000, 1}, {100, 100}, Fit::contain, {100, 1}},
      {{50, 60}, {100, 100}, Fit::none, {50, 60}},
      // Rounded, not cut: 7.5, 13.5 and 75.75 pixels.
      {{4, 3}, {10, 10}, Fit::contain, {10, 8}},
      {{6, 4}, {9, 9}, Fit::cover, {14, 9}},
      {{300, 400}, {100, 101}, Fit::contain, {76, 101}},
      {{10000, 7500}, {1920, 1080}, Fit::contain, {1440, 1080}},
  };
  for (const Case& c : cases) {
    const Size got = fitted_size(c.picture, c.area, c.fit);
    EXPECT_EQ(got.width, c.expected.width) << c.picture.width << "x" << c.picture.height;
    EXPECT_EQ(got.height, c.expected.height) << c.picture.width << "x" << c.picture.height;
  }
}

TEST(PictureFit, CoverFillsTheAreaWithAFilteredPicture) {
  // One-pixel black and white stripes, halved: a filter gives grey, the
  // nearest pixel would give black or white.
  PixelImage stripes{40, 20, {}};
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) stripes.pixels.push_back(x % 2 ? 0xFFFFFF : 0);
  }
  const auto imported = import_picture(test::make_bmp_24(stripes), Fit::cover, {10, 10}, Rgb32{0});
  ASSERT_TRUE(std::holds_alternative<ImportedPicture>(imported));
  const auto decoded = decode_bmp(std::get<ImportedPicture>(imported).bmp);
  const PixelImage& got = std::get<PixelImage>(decoded);
  ASSERT_EQ(got.width, 10);
  ASSERT_EQ(got.height, 10);
  for (const std::uint32_t p : got.pixels) {
    EXPECT_NEAR(channel(p, 8), 128, 24);
  }
}

}  // namespace
}  // namespace showsaver::showpack
