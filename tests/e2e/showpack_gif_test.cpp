// `showpack render --gif`: the animated GIF, read back with giflib's decoder,
// holds the frames the renderer wrote as PNG, for as long as they showed.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/png_files.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace showsaver {
namespace {

// Smooth two-way gradients: far more than 256 colours, the hard case for a palette.
PixelImage gradient(int width, int height, int turn) {
  PixelImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t r = std::uint32_t(x * 255 / (width - 1));
      const std::uint32_t g = std::uint32_t(y * 255 / (height - 1));
      const std::uint32_t b = std::uint32_t((x + y) * 255 / (width + height - 2));
      image.pixels.push_back(turn ? (b << 16 | r << 8 | g) : (r << 16 | g << 8 | b));
    }
  }
  return image;
}

struct GifFrame {
  std::vector<std::uint32_t> pixels;
  int delay_cs = 0;
};

std::vector<GifFrame> read_gif(const std::string& path, int& width, int& height) {
  int code = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &code);
  EXPECT_NE(gif, nullptr) << GifErrorString(code);
  std::vector<GifFrame> frames;
  if (!gif) return frames;
  EXPECT_EQ(DGifSlurp(gif), GIF_OK);
  width = gif->SWidth;
  height = gif->SHeight;
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    EXPECT_EQ(image.ImageDesc.Width, width);
    EXPECT_EQ(image.ImageDesc.Height, height);
    const ColorMapObject* map =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    GifFrame frame;
    for (int p = 0; p < width * height; ++p) {
      const GifColorType c = map->Colors[image.RasterBits[p]];
      frame.pixels.push_back(std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue);
    }
    GraphicsControlBlock control{};
    EXPECT_EQ(DGifSavedExtensionToGCB(gif, i, &control), GIF_OK);
    frame.delay_cs = control.DelayTime;
    frames.push_back(std::move(frame));
  }
  DGifCloseFile(gif, &code);
  return frames;
}

TEST(ShowpackRenderGif, FramesAndTimingSurviveThePalette) {
  test::TempDir dir;
  const ShowPackage show = test::PackageBuilder(96, 64)
                               .scene("a.bmp", test::make_bmp_24(gradient(96, 64, 0)))
                               .display_time(300)
                               .effect(19)
                               .scene("b.bmp", test::make_bmp_24(gradient(96, 64, 1)))
                               .display_time(300)
                               .effect(9)
                               .build();
  test::write_file(dir.file("show.scr"), test::program_file_with(show));
  const test::RunResult render =
      test::run_showpack(dir, {"render", dir.file("show.scr"), "--out", dir.file("frames"), "--gif",
                               dir.file("show.gif"), "--screen", "96x64"});
  ASSERT_EQ(render.status, 0) << render.err;

  // The frame shown at each hundredth of a second: the last refresh in it.
  std::map<std::int64_t, int> shown;
  std::ifstream events(dir.file("frames/events.jsonl"));
  for (std::string line; std::getline(events, line);) {
    if (line.find("\"event\":\"refresh\"") == std::string::npos) continue;
    long long ms = 0;
    int frame = 0;
    ASSERT_EQ(std::sscanf(line.c_str() + line.find("\"ms\":"), "\"ms\":%lld", &ms), 1) << line;
    ASSERT_EQ(std::sscanf(line.c_str() + line.find("\"frame\":"), "\"frame\":%d", &frame), 1);
    shown[(ms + 5) / 10] = frame;
  }
  ASSERT_GT(shown.size(), 20u);

  int width = 0, height = 0;
  const std::vector<GifFrame> frames = read_gif(dir.file("show.gif"), width, height);
  ASSERT_EQ(frames.size(), shown.size());
  EXPECT_EQ(width, 96);
  EXPECT_EQ(height, 64);
  auto at = shown.begin();
  for (std::size_t i = 0; i < frames.size(); ++i, ++at) {
    SCOPED_TRACE("GIF frame " + std::to_string(i));
    const auto next = std::next(at);
    if (next != shown.end()) {
      EXPECT_EQ(frames[i].delay_cs, next->first - at->first);
    }
    char name[32];
    std::snprintf(name, sizeof name, "frames/frame-%06d.png", at->second);
    const auto png = test::read_png(dir.file(name));
    ASSERT_TRUE(png);
    // Dithering trades a small error at each pixel for no bands: the average
    // of each 4x4 block stays close to the frame's.
    double total = 0;
    double worst_block = 0;
    for (int by = 0; by < 64; by += 4) {
      for (int bx = 0; bx < 96; bx += 4) {
        for (int shift : {0, 8, 16}) {
          int sum_png = 0, sum_gif = 0;
          for (int y = by; y < by + 4; ++y) {
            for (int x = bx; x < bx + 4; ++x) {
              const int png_value = int(png->pixels[std::size_t(y * 96 + x)] >> shift & 0xFF);
              const int gif_value = int(frames[i].pixels[std::size_t(y * 96 + x)] >> shift & 0xFF);
              sum_png += png_value;
              sum_gif += gif_value;
              total += std::abs(png_value - gif_value);
            }
          }
          worst_block = std::max(worst_block, std::abs(sum_png - sum_gif) / 16.0);
        }
      }
    }
    EXPECT_LE(total / (96.0 * 64 * 3), 6.0);
    EXPECT_LE(worst_block, 12.0);
  }
}

}  // namespace
}  // namespace showsaver
