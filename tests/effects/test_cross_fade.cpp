// The cross-fade's blend against a plain per-channel reference, at widths
// that leave every kind of remainder, and its weight over time.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "effects/cross_fade.h"

namespace showsaver {
namespace {

// The formula as written, one byte at a time.
std::uint32_t reference_blend(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t ca = (a >> shift) & 0xFF;
    const std::uint32_t cb = (b >> shift) & 0xFF;
    out |= ((ca * (256 - weight) + cb * weight + 128) >> 8) << shift;
  }
  return out;
}

TEST(CrossFade, BlendMatchesTheReferenceAtAwkwardWidths) {
  std::mt19937 random(2026);
  for (const std::size_t width : {1u, 2u, 3u, 7u, 8u, 17u, 33u, 64u, 1023u, 1920u}) {
    std::vector<std::uint32_t> outgoing(width), incoming(width), out(width);
    for (std::size_t i = 0; i < width; ++i) {
      outgoing[i] = random();
      incoming[i] = random();
    }
    // Extremes in the first pixels: every channel at 0 against 255.
    outgoing[0] = 0x00000000;
    incoming[0] = 0xFFFFFFFF;
    for (const std::uint32_t weight : {0u, 1u, 2u, 127u, 128u, 129u, 255u, 256u}) {
      blend_row(out, outgoing, incoming, weight);
      for (std::size_t i = 0; i < width; ++i) {
        ASSERT_EQ(out[i], reference_blend(outgoing[i], incoming[i], weight))
            << "width " << width << " weight " << weight << " pixel " << i;
      }
    }
  }
}

TEST(CrossFade, EndsAreExactAndTheMiddleRoundsHalfUp) {
  const std::vector<std::uint32_t> outgoing{0x00123456, 0x00FF0000};
  const std::vector<std::uint32_t> incoming{0x00ABCDEF, 0x0000FF01};
  std::vector<std::uint32_t> out(2);
  blend_row(out, outgoing, incoming, 0);
  EXPECT_EQ(out, outgoing);
  blend_row(out, outgoing, incoming, 256);
  EXPECT_EQ(out, incoming);
  blend_row(out, outgoing, incoming, 128);
  // (0xFF * 128 + 128) >> 8 = 128; (1 * 128 + 128) >> 8 = 1.
  EXPECT_EQ(out[1], 0x00808001u);
  // Blending into one of the inputs gives the same.
  std::vector<std::uint32_t> in_place = outgoing;
  blend_row(in_place, in_place, incoming, 128);
  EXPECT_EQ(in_place, out);
}

TEST(CrossFade, WeightRisesWithTimeAndStopsAtFull) {
  struct Case {
    std::int64_t elapsed;
    std::int32_t duration;
    std::uint32_t weight;
  };
  for (const Case c :
       {Case{-5, 1000, 0}, Case{0, 1000, 0}, Case{1, 1000, 0}, Case{4, 1000, 1},
        Case{500, 1000, 128}, Case{999, 1000, 255}, Case{1000, 1000, 256}, Case{99999, 1000, 256},
        Case{1, 1, 256}, Case{0, 0, 256}, Case{30000, 60000, 128}}) {
    EXPECT_EQ(fade_weight(c.elapsed, c.duration), c.weight) << c.elapsed << " of " << c.duration;
  }
}

}  // namespace
}  // namespace showsaver
