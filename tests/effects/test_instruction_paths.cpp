// Every path the build and this processor offer (platform/instruction_sets.h
// decides which) against the plain loop, on random shapes drawn from fixed
// seeds: row lengths, starts of every alignment, weights, regions and
// strides that no table in test_cross_fade.cpp or test_pan_zoom.cpp lists.
// The plain loop is the oracle: those tests hold it to the formula.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "effects/cross_fade_paths.h"
#include "effects/pan_zoom_filter.h"
#include "effects/streaming_stores.h"
#include "platform/instruction_sets.h"

namespace showsaver {
namespace {

constexpr std::uint32_t kUntouched = 0xDEADBEEF;

// A value in [low, high].
int between(std::mt19937& random, int low, int high) {
  return low + static_cast<int>(random() % static_cast<std::uint32_t>(high - low + 1));
}

TEST(InstructionPaths, TheBlendAndTheFilterOfferWhatTheBuildDecides) {
  std::vector<std::string> expected{"plain"};
#if defined(SHOWSAVER_SSE2_PATHS)
  expected.emplace_back("sse2");
#endif
  if (avx2_available()) expected.emplace_back("avx2");
  std::vector<std::string> blends;
  for (const BlendPath& path : blend_paths()) blends.emplace_back(path.name);
  std::vector<std::string> filters;
  for (const PanZoomPasses& passes : pan_zoom_passes()) filters.emplace_back(passes.name);
  EXPECT_EQ(blends, expected);
  EXPECT_EQ(filters, expected);
}

// A row of `count` pixels blended along `path` from `skip` pixels into a
// buffer, in place into the outgoing row or not; the whole buffer, with the
// pixels around the row, is returned.
std::vector<std::uint32_t> blended(const BlendPath& path,
                                   const std::vector<std::uint32_t>& outgoing,
                                   const std::vector<std::uint32_t>& incoming, std::size_t skip,
                                   std::size_t count, std::uint32_t weight, bool in_place) {
  std::vector<std::uint32_t> out = in_place ? outgoing : std::vector(outgoing.size(), kUntouched);
  blend_row_along(path, std::span(out).subspan(skip, count),
                  std::span(in_place ? out : outgoing).subspan(skip, count),
                  std::span(incoming).subspan(skip, count), weight);
  return out;
}

TEST(InstructionPaths, EveryBlendPathMatchesThePlainLoopOnRandomRows) {
  const std::vector<BlendPath> paths = blend_paths();
  std::mt19937 random(28);
  for (int trial = 0; trial < 400; ++trial) {
    // Mostly short rows, where remainders matter; some long ones, and a few
    // past the size that is streamed past the cache.
    const int longest = trial % 100 == 99 ? int(kStreamingStoreBytes / 2)
                        : trial % 10 == 9 ? 5000
                                          : 100;
    const auto count = static_cast<std::size_t>(between(random, 1, longest));
    const auto skip = static_cast<std::size_t>(between(random, 0, 15));
    const auto weight = static_cast<std::uint32_t>(between(random, 0, 256));
    const bool in_place = random() % 2 == 0;
    std::vector<std::uint32_t> outgoing(skip + count + 9), incoming(outgoing.size());
    for (std::size_t i = 0; i < outgoing.size(); ++i) {
      outgoing[i] = random();
      incoming[i] = random();
    }
    const auto expected = blended(paths.front(), outgoing, incoming, skip, count, weight, in_place);
    for (const BlendPath& path : paths) {
      ASSERT_EQ(blended(path, outgoing, incoming, skip, count, weight, in_place), expected)
          << path.name << ": trial " << trial << ", " << count << " pixels from " << skip
          << ", weight " << weight << (in_place ? ", in place" : "");
    }
  }
}

// A 16.16 extent of about `pixels` (up to three times as many), mirrored now
// and then, never empty.
std::int64_t random_extent(std::mt19937& random, int pixels) {
  const std::int64_t extent = 1 + random() % (3 * std::uint64_t(pixels) * kFixedOne);
  return random() % 8 == 0 ? -extent : extent;
}

TEST(InstructionPaths, EveryFilterPathMatchesThePlainLoopOnRandomRegions) {
  const std::vector<PanZoomPasses> every = pan_zoom_passes();
  std::mt19937 random(2028);
  for (int trial = 0; trial < 300; ++trial) {
    // A few frames past the size that is streamed past the cache.
    const bool large = trial % 50 == 49;
    PixelImage source{
        between(random, 1, large ? 700 : 90), between(random, 1, large ? 500 : 40), {}};
    source.pixels.resize(std::size_t(source.width) * std::size_t(source.height));
    for (auto& pixel : source.pixels) pixel = random();
    const int width = large ? between(random, 520, 700) : between(random, 1, 120);
    const int height = large ? between(random, 420, 500) : between(random, 1, 12);
    const FixedRect region{
        between(random, -source.width, 2 * source.width) * kFixedOne + int(random() % kFixedOne),
        between(random, -source.height, 2 * source.height) * kFixedOne + int(random() % kFixedOne),
        random_extent(random, source.width), random_extent(random, source.height)};
    // Rows that start at every alignment, with pixels past each row's end.
    const auto skip = static_cast<std::size_t>(between(random, 0, 7));
    const auto stride = static_cast<std::size_t>(width + between(random, 0, 9));
    const auto draw = [&](const PanZoomPasses& passes) {
      std::vector<std::uint32_t> rows(skip + stride * std::size_t(height), kUntouched);
      draw_region_with(passes, source, region,
                       PixelTarget{rows.data() + skip, width, height, stride});
      return rows;
    };
    const std::vector<std::uint32_t> expected = draw(every.front());
    for (const PanZoomPasses& passes : every) {
      std::ostringstream where;
      where << passes.name << ": trial " << trial << ", " << source.width << "x" << source.height
            << " -> " << width << "x" << height << ", region " << region.left << "," << region.top
            << " " << region.width << "x" << region.height;
      ASSERT_EQ(draw(passes), expected) << where.str();
    }
  }
}

}  // namespace
}  // namespace showsaver
