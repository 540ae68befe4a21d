// The fast blit paths against the pixel-by-pixel reference, on random cases
// with fixed seeds: sizes, mirrorings, clipping, formats, raster operations
// and blits within one bitmap.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "gdi_replay/gdi_cases.h"
#include "platform/soft/bit_blt.h"
#include "platform/soft/blit.h"
#include "platform/soft/blit_reference.h"
#include "platform/soft/stretch_blt.h"
#include "platform/soft/stretch_halving.h"

namespace showsaver::soft {
namespace {

class RandomBlits {
 public:
  explicit RandomBlits(std::uint32_t seed) : random_(seed) {}

  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  // Pixels drawn from a few colours, one of them the background colour, some
  // with a top byte set, so that the mono conversion meets every kind.
  PixelBitmap bitmap(PixelFormat format, std::uint32_t key) {
    PixelBitmap bitmap = *make_pixel_bitmap(between(1, 11), between(1, 11), format);
    for (std::uint32_t& pixel : bitmap.pixels) {
      if (format == PixelFormat::kMonochrome) {
        pixel = between(0, 1) ? kMonoOne : kMonoZero;
        continue;
      }
      switch (between(0, 3)) {
        case 0:
          pixel = key;
          break;
        case 1:
          pixel = key | 0x01000000u;
          break;
        default:
          pixel = static_cast<std::uint32_t>(random_());
      }
    }
    return bitmap;
  }

  int extent(bool allow_zero) {
    int value = between(-14, 14);
    while (!allow_zero && value == 0) value = between(-14, 14);
    return value;
  }

  std::uint32_t rop() {
    if (between(0, 4) == 0) return static_cast<std::uint32_t>(between(0, 255)) << 16;
    const std::vector<std::uint32_t>& codes = gdi_cases::raster_operations();
    return codes[between(0, static_cast<int>(codes.size()) - 1)];
  }

  PixelFormat format() {
    return between(0, 2) == 0 ? PixelFormat::kMonochrome : PixelFormat::kColor;
  }

  std::mt19937& engine() { return random_; }

 private:
  std::mt19937 random_;
};

struct Scenario {
  PixelBitmap destination;
  PixelBitmap source;
  bool same_bitmap = false;
  BlitRequest request;  // pointers filled in by run()

  std::string describe() const {
    const BlitGeometry& g = request.geometry;
    std::ostringstream out;
    out << "dst " << destination.width << "x" << destination.height << " src " << source.width
        << "x" << source.height << (same_bitmap ? " same" : "") << " at " << g.destination.left
        << "," << g.destination.top << " " << g.destination.width << "x" << g.destination.height
        << " from " << g.source.left << "," << g.source.top << " " << g.source.width << "x"
        << g.source.height << " rop " << int(request.rop.table);
    return out.str();
  }

  // Runs `draw` on a copy of the scenario and gives back the destination.
  template <typename Draw>
  PixelBitmap run(Draw draw) const {
    PixelBitmap target = destination;
    PixelBitmap from = source;
    BlitRequest copy = request;
    copy.destination = &target;
    copy.source = copy.rop.uses_source ? (same_bitmap ? &target : &from) : nullptr;
    draw(copy);
    return target;
  }
};

Scenario random_scenario(RandomBlits& random, bool equal_extents) {
  Scenario s;
  s.request.source_colors.background =
      ColorRef{static_cast<std::uint32_t>(random.engine()()) & 0xFFFFFF};
  s.request.source_colors.text = ColorRef{static_cast<std::uint32_t>(random.engine()()) & 0xFFFFFF};
  s.request.destination_colors.background =
      ColorRef{static_cast<std::uint32_t>(random.engine()()) & 0xFFFFFF};
  s.request.destination_colors.text =
      ColorRef{static_cast<std::uint32_t>(random.engine()()) & 0xFFFFFF};
  const std::uint32_t key = raw(to_pixel(s.request.source_colors.background));
  s.destination = random.bitmap(random.format(), key);
  s.same_bitmap = random.between(0, 5) == 0;
  s.source = s.same_bitmap ? s.destination : random.bitmap(random.format(), key);
  BlitGeometry& g = s.request.geometry;
  // Starts around the bitmaps, so that most cases draw something and clip;
  // within one bitmap, source and destination close enough to overlap.
  g.destination.left = random.between(-4, s.destination.width + 2);
  g.destination.top = random.between(-4, s.destination.height + 2);
  g.destination.width = random.extent(random.between(0, 20) == 0);
  g.destination.height = random.extent(random.between(0, 20) == 0);
  g.source.left = s.same_bitmap ? g.destination.left + random.between(-3, 3)
                                : random.between(-4, s.source.width + 2);
  g.source.top = s.same_bitmap ? g.destination.top + random.between(-3, 3)
                               : random.between(-4, s.source.height + 2);
  g.source.width = equal_extents ? g.destination.width : random.extent(random.between(0, 20) == 0);
  g.source.height =
      equal_extents ? g.destination.height : random.extent(random.between(0, 20) == 0);
  s.request.rop = decode_rop3(random.rop());
  return s;
}

void expect_same(const PixelBitmap& actual, const PixelBitmap& expected, const Scenario& s) {
  ASSERT_EQ(actual.pixels.size(), expected.pixels.size());
  for (std::size_t i = 0; i < actual.pixels.size(); ++i) {
    ASSERT_EQ(actual.pixels[i], expected.pixels[i])
        << s.describe() << " pixel " << i % actual.width << "," << i / actual.width;
  }
}

TEST(BlitOracleTest, BitBltMatchesReference) {
  RandomBlits random(20240601);
  for (int i = 0; i < 4000; ++i) {
    const Scenario s = random_scenario(random, true);
    expect_same(s.run(bit_blt), s.run(reference_blit), s);
    if (HasFatalFailure()) return;
  }
}

TEST(BlitOracleTest, StretchBltMatchesReference) {
  RandomBlits random(777);
  for (int i = 0; i < 6000; ++i) {
    const Scenario s = random_scenario(random, false);
    expect_same(s.run(stretch_blt), s.run(reference_blit), s);
    if (HasFatalFailure()) return;
  }
}

// The scaler also covers the equal-extent case, where the dispatcher takes
// the offset copy: both must agree with the reference.
TEST(BlitOracleTest, ScalerAgreesWithOffsetCopyOnEqualExtents) {
  RandomBlits random(99);
  for (int i = 0; i < 2000; ++i) {
    const Scenario s = random_scenario(random, true);
    expect_same(s.run(stretch_blt), s.run(blit), s);
    if (HasFatalFailure()) return;
  }
}

// Big pictures with the shapes the show uses: whole-surface copies and
// stretches of screen-sized bitmaps.
TEST(BlitOracleTest, LargeStretchesMatchReference) {
  RandomBlits random(5);
  for (int i = 0; i < 12; ++i) {
    Scenario s;
    s.destination =
        *make_pixel_bitmap(random.between(40, 90), random.between(30, 60), PixelFormat::kColor);
    s.source =
        *make_pixel_bitmap(random.between(40, 90), random.between(30, 60), PixelFormat::kColor);
    for (auto& pixel : s.source.pixels) pixel = static_cast<std::uint32_t>(random.engine()());
    BlitGeometry& g = s.request.geometry;
    g = {{random.between(-5, 5), random.between(-5, 5), random.between(-100, 100),
          random.between(-70, 70)},
         {random.between(-5, 5), random.between(-5, 5), random.between(1, 90),
          random.between(1, 60)}};
    if (g.destination.width == 0) g.destination.width = 1;
    if (g.destination.height == 0) g.destination.height = 1;
    s.request.rop = decode_rop3(0x00CC0020);
    expect_same(s.run(blit), s.run(reference_blit), s);
  }
}

// Exact halving and doubling take their own loops; with offsets, clipping
// and mirroring they must still match the reference.
TEST(BlitOracleTest, HalvingAndDoublingMatchReference) {
  RandomBlits random(3);
  for (const gdi_cases::StretchGeometry& g : gdi_cases::halving_and_doubling_cases()) {
    Scenario s;
    s.destination = *make_pixel_bitmap(gdi_cases::kStretchPictureWidth,
                                       gdi_cases::kStretchPictureHeight, PixelFormat::kColor);
    s.source = *make_pixel_bitmap(gdi_cases::kStretchPictureWidth, gdi_cases::kStretchPictureHeight,
                                  PixelFormat::kColor);
    for (auto& pixel : s.source.pixels) pixel = static_cast<std::uint32_t>(random.engine()());
    s.request.geometry = {{g.x, g.y, g.width, g.height},
                          {g.source_x, g.source_y, g.source_width, g.source_height}};
    s.request.rop = decode_rop3(0x00CC0020);
    expect_same(s.run(blit), s.run(reference_blit), s);
  }
}

// Exact halvings take two destination rows a pass through the first halving
// path that fits the width and, from a destination size on, write them with
// streaming stores after a scalar start that aligns the rows (forced here on
// small bitmaps): every row alignment, odd widths and heights, mirroring, and
// source rectangles partly outside the source.
TEST(BlitOracleTest, HalvingRowPairsMatchReference) {
  // The wider rows below take the first path of the table, the fastest one
  // this build has, and the narrower ones the scalar path.
  ASSERT_EQ(&halving_path_for(37), &halving_paths().front());
  ASSERT_EQ(&halving_path_for(1), &halving_paths().back());
  const auto streaming = [](const BlitRequest& request) { stretch_blt_streaming_from(request, 0); };
  RandomBlits random(41);
  for (int i = 0; i < 600; ++i) {
    const int width = random.between(1, 37);
    const int height = random.between(1, 9);
    Scenario s;
    s.destination = *make_pixel_bitmap(width + random.between(0, 7), height + random.between(0, 3),
                                       PixelFormat::kColor);
    s.source = *make_pixel_bitmap(2 * width + random.between(0, 9),
                                  2 * height + random.between(0, 5), PixelFormat::kColor);
    for (auto& pixel : s.destination.pixels) pixel = static_cast<std::uint32_t>(random.engine()());
    for (auto& pixel : s.source.pixels) pixel = static_cast<std::uint32_t>(random.engine()());
    const bool mirror_columns = random.between(0, 5) == 0;
    const bool mirror_rows = random.between(0, 3) == 0;
    BlitGeometry& g = s.request.geometry;
    g = {{mirror_columns ? width - 1 + random.between(-2, 3) : random.between(-2, 5),
          mirror_rows ? height - 1 + random.between(-1, 2) : random.between(-2, 2),
          mirror_columns ? -width : width, mirror_rows ? -height : height},
         {random.between(-3, 4), random.between(-3, 3), 2 * width, 2 * height}};
    s.request.rop = decode_rop3(0x00CC0020);
    const PixelBitmap expected = s.run(reference_blit);
    expect_same(s.run(streaming), expected, s);
    expect_same(s.run(stretch_blt), expected, s);
    if (HasFatalFailure()) return;
  }
}

// Extents at the ends of the 32-bit range must neither overflow nor hang.
TEST(BlitOracleTest, ExtremeExtentsStayInBounds) {
  const std::int32_t big = 2147483647;
  const std::int32_t low = -2147483647 - 1;
  const BlitGeometry cases[] = {
      {{0, 0, big, big}, {0, 0, 3, 3}},
      {{0, 0, 3, 3}, {0, 0, big, big}},
      {{low, low, big, big}, {low, low, big, big}},
      {{5, 5, low, low}, {0, 0, 4, 4}},
      {{0, 0, 4, 4}, {big, big, low, low}},
      {{big, big, low, low}, {big, big, low, low}},
  };
  for (const BlitGeometry& g : cases) {
    Scenario s;
    s.destination = *make_pixel_bitmap(8, 8, PixelFormat::kColor);
    s.source = *make_pixel_bitmap(8, 8, PixelFormat::kColor);
    s.request.geometry = g;
    s.request.rop = decode_rop3(0x00CC0020);
    expect_same(s.run(blit), s.run(reference_blit), s);
  }
}

}  // namespace
}  // namespace showsaver::soft
