// The pan-and-zoom filter, with each instruction set's passes, against a
// plain per-pixel reference at awkward sizes, its exactness where nothing
// moves, and the paths over a hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "effects/pan_zoom.h"
#include "effects/pan_zoom_filter.h"

namespace showsaver {
namespace {

// Each output pixel on its own: the centre's source position in 16.16,
// clamped to the picture, and the four neighbours weighted by the 8-bit
// fractions.
std::uint32_t reference_pixel(const PixelImage& source, const FixedRect& region, int x, int y,
                              int out_width, int out_height) {
  const auto position = [](std::int64_t start, std::int64_t extent, int i, int count, int last) {
    const std::int64_t p = start + (2 * std::int64_t{i} + 1) * extent / (2 * count) - 32768;
    return std::clamp<std::int64_t>(p, 0, std::int64_t{last} * 65536);
  };
  const std::int64_t sx = position(region.left, region.width, x, out_width, source.width - 1);
  const std::int64_t sy = position(region.top, region.height, y, out_height, source.height - 1);
  const int x0 = int(sx >> 16), y0 = int(sy >> 16);
  const int x1 = std::min(x0 + 1, source.width - 1), y1 = std::min(y0 + 1, source.height - 1);
  const std::uint32_t wx = std::uint32_t(sx >> 8) & 0xFF, wy = std::uint32_t(sy >> 8) & 0xFF;
  const auto at = [&](int px, int py) {
    return source.pixels[std::size_t(py) * source.width + px];
  };
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const auto c = [&](int px, int py) { return (at(px, py) >> shift) & 0xFF; };
    const std::uint32_t top = c(x0, y0) * (256 - wx) + c(x1, y0) * wx;
    const std::uint32_t bottom = c(x0, y1) * (256 - wx) + c(x1, y1) * wx;
    out |= ((top * (256 - wy) + bottom * wy + 32768) >> 16) << shift;
  }
  return out;
}

PixelImage noise(int width, int height, std::mt19937& random) {
  PixelImage image{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
  for (auto& pixel : image.pixels) pixel = random();
  return image;
}

using DrawRegion = std::function<void(const PixelImage&, const FixedRect&, const PixelTarget&)>;

// draw_region() itself, then each set of passes on its own.
std::vector<std::pair<std::string, DrawRegion>> every_filter() {
  std::vector<std::pair<std::string, DrawRegion>> filters{
      {"draw_region", [](const auto& source, const auto& region, const auto& out) {
         draw_region(source, region, out);
       }}};
  for (const PanZoomPasses& passes : pan_zoom_passes()) {
    filters.emplace_back(passes.name,
                         [passes](const auto& source, const auto& region, const auto& out) {
                           draw_region_with(passes, source, region, out);
                         });
  }
  return filters;
}

// A frame drawn in place into rows longer than it, as a bitmap's may be:
// the pixels past each row's end are left as they were.
constexpr std::uint32_t kUntouched = 0xDEADBEEF;
constexpr int kRowSlack = 5;

TEST(PanZoomFilter, MatchesThePlainReferenceAtAwkwardSizes) {
  std::mt19937 random(23);
  struct Case {
    Size source;
    Size out;
    FixedRect region;
  };
  const Case cases[] = {
      {{1, 1}, {1, 1}, {0, 0, 65536, 65536}},
      {{2, 3}, {7, 5}, {0, 0, 2 * 65536, 3 * 65536}},  // enlarged
      {{37, 23}, {17, 33}, {5 * 65536 + 123, 7 * 65536 + 45678, 20 * 65536 + 9, 9 * 65536 + 1}},
      {{101, 7}, {1023, 3}, {-3 * 65536, -65536, 110 * 65536, 9 * 65536}},  // past the edges
      {{64, 48}, {1, 1}, {10 * 65536, 10 * 65536, 65536 / 3, 65536 / 7}},   // under a pixel
      {{640, 480}, {33, 17}, {0, 0, 640 * 65536, 480 * 65536}},             // reduced
      // A zoom to 80 % off the pixel grid, as in a hold, at widths that leave
      // every remainder of the vector steps, the run reaching the right edge.
      {{203, 9}, {203, 9}, {40 * 65536 + 12345, 65536 + 54321, 162 * 65536 + 52428, 7 * 65536}},
      {{1920, 4}, {1913, 5}, {384 * 65536 + 1, 54321, 1536 * 65536 + 7, 3 * 65536}},
      {{30, 4}, {15, 2}, {65536 / 2, 0, 29 * 65536 + 65536 / 2, 4 * 65536}},  // to the last column
      {{19, 5}, {26, 4}, {19 * 65536, 5 * 65536, -19 * 65536, -5 * 65536}},   // mirrored
      // A frame past kStreamingStoreBytes, written past the cache, its rows
      // starting at every alignment.
      {{431, 409}, {521, 507}, {50 * 65536 + 777, 40 * 65536 + 999, 350 * 65536, 330 * 65536}},
  };
  for (const auto& [name, filter] : every_filter()) {
    for (const Case& c : cases) {
      const PixelImage source = noise(c.source.width, c.source.height, random);
      const auto stride = std::size_t(c.out.width + kRowSlack);
      std::vector<std::uint32_t> rows(stride * c.out.height, kUntouched);
      filter(source, c.region, PixelTarget{rows.data(), c.out.width, c.out.height, stride});
      for (int y = 0; y < c.out.height; ++y) {
        for (int x = 0; x < c.out.width + kRowSlack; ++x) {
          ASSERT_EQ(rows[std::size_t(y) * stride + x],
                    x < c.out.width
                        ? reference_pixel(source, c.region, x, y, c.out.width, c.out.height)
                        : kUntouched)
              << name << ": " << c.source.width << "x" << c.source.height << " -> " << c.out.width
              << "x" << c.out.height << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(PanZoomFilter, TheWholePictureAtItsOwnSizeIsCopiedExactly) {
  std::mt19937 random(5);
  for (const Size size : {Size{1, 1}, Size{3, 2}, Size{97, 61}, Size{200, 120}}) {
    const PixelImage source = noise(size.width, size.height, random);
    PixelImage out{size.width, size.height, {}};
    draw_region(source, to_fixed(Rect{0, 0, size.width, size.height}), out);
    EXPECT_EQ(out, source) << size.width << "x" << size.height;
  }
}

TEST(PanZoomPath, RegionMovesEvenlyAcrossTheHold) {
  const Rect start{0, 0, 100, 50};
  const Rect end{20, 10, 60, 30};
  EXPECT_EQ(region_at(start, end, -1, 1000), to_fixed(start));
  EXPECT_EQ(region_at(start, end, 0, 1000), to_fixed(start));
  EXPECT_EQ(region_at(start, end, 500, 1000), to_fixed(Rect{10, 5, 80, 40}));
  EXPECT_EQ(region_at(start, end, 1000, 1000), to_fixed(end));
  EXPECT_EQ(region_at(start, end, 5, 0), to_fixed(end));
  // A thousandth of the hold moves by a fraction of a pixel, not by none.
  EXPECT_EQ(region_at(start, end, 1, 1000).left, 20 * 65536 / 1000);
}

TEST(PanZoomPath, SeedsGivePathsInsideThePictureOfItsShape) {
  for (const Size size : {Size{1, 1}, Size{640, 480}, Size{1920, 1080}, Size{7, 300}}) {
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
      const PanZoomPath path = path_from_seed(seed, size);
      for (const Rect& r : {path.start, path.end}) {
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_GE(r.width, 1);
        EXPECT_GE(r.height, 1);
        EXPECT_LE(r.left + r.width, size.width);
        EXPECT_LE(r.top + r.height, size.height);
        // The picture's shape, to within the rounding of a pixel.
        EXPECT_NEAR(double(r.width) * size.height, double(r.height) * size.width,
                    double(std::max(size.width, size.height)));
      }
      EXPECT_EQ(path_from_seed(seed, size).start, path.start);
    }
  }
  EXPECT_NE(path_from_seed(1, {640, 480}).end, path_from_seed(2, {640, 480}).end);
}

}  // namespace
}  // namespace showsaver
