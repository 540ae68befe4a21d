// The cross-fade's blend, along each of its paths, against a plain
// per-channel reference, at widths that leave every kind of remainder and
// starts of every alignment, and its weight over time.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "effects/cross_fade.h"
#include "effects/cross_fade_paths.h"
#include "effects/streaming_stores.h"

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

using BlendRow = std::function<void(std::span<std::uint32_t>, std::span<const std::uint32_t>,
                                    std::span<const std::uint32_t>, std::uint32_t)>;

// blend_row() itself, then each path on its own.
std::vector<std::pair<std::string, BlendRow>> every_blend() {
  std::vector<std::pair<std::string, BlendRow>> blends{{"blend_row", blend_row}};
  for (const BlendPath& path : blend_paths()) {
    blends.emplace_back(path.name, [path](auto out, auto outgoing, auto incoming, auto weight) {
      blend_row_along(path, out, outgoing, incoming, weight);
    });
  }
  return blends;
}

TEST(CrossFade, BlendMatchesTheReferenceAtAwkwardWidths) {
  std::mt19937 random(2026);
  for (const auto& [name, blend] : every_blend()) {
    for (const std::size_t width : {1u, 2u, 3u, 7u, 8u, 9u, 15u, 17u, 33u, 64u, 1023u, 1920u}) {
      // Rows that start one and three pixels past the allocation, as well as
      // on it, so that the vector loops meet every alignment.
      for (const std::size_t skip : {0u, 1u, 3u}) {
        std::vector<std::uint32_t> outgoing(skip + width), incoming(skip + width),
            out(skip + width);
        for (std::size_t i = 0; i < skip + width; ++i) {
          outgoing[i] = random();
          incoming[i] = random();
        }
        // Extremes in the first pixels: every channel at 0 against 255.
        outgoing[skip] = 0x00000000;
        incoming[skip] = 0xFFFFFFFF;
        const auto from = [&](const std::vector<std::uint32_t>& v) {
          return std::span(v).subspan(skip);
        };
        for (const std::uint32_t weight : {0u, 1u, 2u, 127u, 128u, 129u, 255u, 256u}) {
          blend(std::span(out).subspan(skip), from(outgoing), from(incoming), weight);
          for (std::size_t i = skip; i < skip + width; ++i) {
            ASSERT_EQ(out[i], reference_blend(outgoing[i], incoming[i], weight))
                << name << " width " << width << " from " << skip << " weight " << weight
                << " pixel " << i;
          }
        }
      }
    }
  }
}

TEST(CrossFade, ABlendPastTheCacheSizeIsStreamedToTheSamePixels) {
  // Past kStreamingStoreBytes the vector loops write past the cache, from
  // the first pixel aligned for it: rows that start off that alignment, and
  // one blended in place.
  std::mt19937 random(7);
  const std::size_t width = kStreamingStoreBytes / 4 + 13;
  for (const auto& [name, blend] : every_blend()) {
    for (const std::size_t skip : {0u, 1u, 5u}) {
      std::vector<std::uint32_t> outgoing(skip + width), incoming(skip + width), out(skip + width);
      for (std::size_t i = 0; i < skip + width; ++i) {
        outgoing[i] = random();
        incoming[i] = random();
      }
      const std::uint32_t weight = 77 + static_cast<std::uint32_t>(skip);
      blend(std::span(out).subspan(skip), std::span(outgoing).subspan(skip),
            std::span(incoming).subspan(skip), weight);
      std::vector<std::uint32_t> in_place = outgoing;
      blend(std::span(in_place).subspan(skip), std::span(in_place).subspan(skip),
            std::span(incoming).subspan(skip), weight);
      for (std::size_t i = skip; i < skip + width; ++i) {
        const std::uint32_t expected = reference_blend(outgoing[i], incoming[i], weight);
        ASSERT_EQ(out[i], expected) << name << " from " << skip << " pixel " << i;
        ASSERT_EQ(in_place[i], expected) << name << " in place from " << skip << " pixel " << i;
      }
    }
  }
}

TEST(CrossFade, AFrameBlendsEveryRowOfItsTargetAndNothingBeside) {
  // Rows that follow one another (in one call, streamed once past the cache
  // size) and rows with a gap after each, which must stay as they were.
  struct Case {
    int width, height;
    std::size_t gap;
  };
  std::mt19937 random(11);
  for (const Case c : {Case{1, 1, 0}, Case{3, 2, 0}, Case{17, 5, 0}, Case{17, 5, 3},
                       Case{641, 410, 0}, Case{641, 410, 7}}) {
    PixelImage outgoing{c.width, c.height, {}}, incoming{c.width, c.height, {}};
    const std::size_t count = static_cast<std::size_t>(c.width) * c.height;
    for (std::size_t i = 0; i < count; ++i) {
      outgoing.pixels.push_back(random());
      incoming.pixels.push_back(random());
    }
    const std::size_t stride = static_cast<std::size_t>(c.width) + c.gap;
    constexpr std::uint32_t kBeside = 0xDEADBEEF;
    std::vector<std::uint32_t> rows(stride * c.height, kBeside);
    blend_frame(PixelTarget{rows.data(), c.width, c.height, stride}, outgoing, incoming, 99);
    for (std::size_t y = 0; y < static_cast<std::size_t>(c.height); ++y) {
      for (std::size_t x = 0; x < stride; ++x) {
        const std::size_t from = y * c.width + x;
        const std::uint32_t expected =
            x < static_cast<std::size_t>(c.width)
                ? reference_blend(outgoing.pixels[from], incoming.pixels[from], 99)
                : kBeside;
        ASSERT_EQ(rows[y * stride + x], expected)
            << c.width << "x" << c.height << " gap " << c.gap << " at " << x << "," << y;
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
