// The prepared column steps of horizontal shrinks against the plain loops
// they replace, at awkward widths around their eight-pixel step, mirrored
// and clipped, and whole shrinks through them against the reference blit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <vector>

#include "platform/instruction_sets.h"
#include "platform/soft/blit_axis.h"
#include "platform/soft/blit_reference.h"
#include "platform/soft/stretch_blt.h"
#include "platform/soft/stretch_columns.h"

namespace showsaver::soft {
namespace {

std::vector<std::uint32_t> random_line(std::mt19937& random, int width) {
  std::vector<std::uint32_t> line(static_cast<std::size_t>(width));
  for (auto& pixel : line) pixel = random();
  return line;
}

// The columns of a shrink of `source` columns onto `n`, as StretchBlt maps
// them: `source_start` may clip the source's left edge, `mirrored` draws it
// right to left.
AxisMap shrink_columns(int n, int source, int source_start, bool mirrored, int source_limit) {
  return map_axis({mirrored ? n - 1 : 0, mirrored ? -n : n, source_start, source, n, source_limit},
                  true);
}

TEST(StretchShrinkTest, PairColumnsMatchThePlainLoop) {
  std::mt19937 random(11);
  for (const int n : {1, 7, 8, 9, 15, 16, 17, 23, 64, 65, 333}) {
    for (const int source : {n + 1, n + n / 3 + 1, 2 * n - 1, 2 * n}) {
      if (source <= n) continue;
      for (const bool mirrored : {false, true}) {
        for (const int clip : {0, 3}) {
          // The source bitmap ends `clip` columns before the rectangle does.
          const AxisMap columns = shrink_columns(n, source, 0, mirrored, source - clip);
          if (columns.empty()) continue;
          const int count = columns.size();
          std::vector<int> last(static_cast<std::size_t>(count));
          int begin = 1 << 30;
          int end = 0;
          for (int i = 0; i < count; ++i) {
            const auto at = static_cast<std::size_t>(i);
            last[at] = columns.source_first[at] + columns.source_count[at] - 1;
            begin = std::min(begin, columns.source_first[at]);
            end = std::max(end, last[at] + 1);
          }
          std::ostringstream where;
          where << source << " onto " << n << (mirrored ? " mirrored" : "") << ", clip " << clip;
          const PairColumns pairs(columns.source_first.data(), last.data(), count, begin, end);
          // A step fits a run whenever its pixels take at most two columns each.
          if (avx2_available() && count >= 16) {
            EXPECT_TRUE(pairs.vectorised()) << where.str();
          }
          for (const int base : {0, begin}) {
            // The line holds exactly [begin, end) when it starts at begin.
            const auto line = random_line(random, end - base);
            std::vector<std::uint32_t> fast(static_cast<std::size_t>(count) + 1, 0xDEADBEEF);
            std::vector<std::uint32_t> plain = fast;
            pairs.apply(line.data(), base, fast.data());
            and_column_pairs_scalar(line.data(), base, columns.source_first.data(), last.data(), 0,
                                    count, plain.data());
            ASSERT_EQ(fast, plain) << where.str() << ", base " << base;
          }
        }
      }
    }
  }
}

// Columns far apart leave the run; those steps take the plain loop.
TEST(StretchShrinkTest, PairColumnsOutsideOneRunMatchThePlainLoop) {
  std::mt19937 random(5);
  const int width = 200;
  const auto line = random_line(random, width);
  for (const int n : {8, 24, 41}) {
    std::vector<int> first(static_cast<std::size_t>(n));
    std::vector<int> last(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      // Every third step spreads over the whole line; the others fit a run.
      const int step = i / 8;
      const int first_column =
          step % 3 == 0 ? static_cast<int>(random() % (width - 1)) : 20 * step + 2 * (i % 8);
      first[static_cast<std::size_t>(i)] = first_column;
      last[static_cast<std::size_t>(i)] = first_column + i % 2;
    }
    const PairColumns pairs(first.data(), last.data(), n, 0, width);
    std::vector<std::uint32_t> fast(static_cast<std::size_t>(n), 0);
    std::vector<std::uint32_t> plain(static_cast<std::size_t>(n), 1);
    pairs.apply(line.data(), 0, fast.data());
    and_column_pairs_scalar(line.data(), 0, first.data(), last.data(), 0, n, plain.data());
    EXPECT_EQ(fast, plain) << n << " pixels";
  }
}

TEST(StretchShrinkTest, WindowPassesMatchThePlainLoop) {
  std::mt19937 random(3);
  for (const int span : {2, 3, 9, 10, 17, 40, 77, 3840}) {
    for (const int min_count : {2, 3, 4, 7, 8, 9, 16, 31, 33}) {
      const auto pixels = random_line(random, span);
      std::vector<std::uint32_t> fast(static_cast<std::size_t>(span), 0xDEADBEEF);
      std::vector<std::uint32_t> plain = fast;
      const int h = and_windows(pixels.data(), span, min_count, fast.data());
      EXPECT_EQ(h, and_windows_scalar(pixels.data(), span, min_count, plain.data()));
      ASSERT_EQ(fast, plain) << span << " columns, windows for " << min_count;
      // Where a whole window fits, it is the AND of its pixels.
      for (int j = 0; j + h <= span; j += 5) {
        std::uint32_t expected = 0xFFFFFFFFu;
        for (int c = j; c < j + h; ++c) expected &= pixels[static_cast<std::size_t>(c)];
        ASSERT_EQ(fast[static_cast<std::size_t>(j)], expected) << span << " columns, at " << j;
      }
    }
  }
}

// Eight and more columns a pixel, read at once: every count around the
// eight-pixel load, mirrored or not.
TEST(StretchShrinkTest, ColumnRunsMatchThePlainLoop) {
  std::mt19937 random(13);
  for (const int n : {1, 5, 37}) {
    for (const int source : {8 * n, 9 * n - 1, 16 * n + 3, 25 * n}) {
      for (const bool mirrored : {false, true}) {
        const AxisMap columns = shrink_columns(n, source, 0, mirrored, source);
        const int count = columns.size();
        std::vector<int> last(static_cast<std::size_t>(count));
        int min_count = 1 << 30;
        for (std::size_t i = 0; i < last.size(); ++i) {
          last[i] = columns.source_first[i] + columns.source_count[i] - 1;
          min_count = std::min(min_count, columns.source_count[i]);
        }
        const auto line = random_line(random, source);
        std::vector<std::uint32_t> fast(static_cast<std::size_t>(count) + 1, 0xDEADBEEF);
        std::vector<std::uint32_t> plain = fast;
        const bool done = and_column_runs(line.data(), 0, columns.source_first.data(), last.data(),
                                          count, min_count, fast.data());
        if (!done) continue;  // no AVX2: the window passes serve these
        and_column_runs_scalar(line.data(), 0, columns.source_first.data(), last.data(), count,
                               plain.data());
        ASSERT_EQ(fast, plain) << source << " onto " << n << (mirrored ? " mirrored" : "");
      }
    }
  }
}

// Whole horizontal shrinks, one and two source rows a row, against the
// reference: factors just above one, up to two, and well past it, mirrored,
// clipped at both sides, through a monochrome destination, and with the
// stores that go past the cache.
TEST(StretchShrinkTest, HorizontalShrinksMatchTheReference) {
  std::mt19937 random(17);
  struct Case {
    int width;         // destination extent (negative: mirrored)
    int source_width;  // source extent
    int height;
    int source_height;
    int x;  // destination start; negative or near the edge clips
    PixelFormat destination_format;
    std::uint32_t rop;
  };
  const Case cases[] = {
      {37, 40, 6, 6, 0, PixelFormat::kColor, 0x00CC0020},
      {57, 64, 6, 7, 1, PixelFormat::kColor, 0x00CC0020},
      {-57, 64, 6, 6, 56, PixelFormat::kColor, 0x00CC0020},
      {33, 65, 5, 9, 0, PixelFormat::kColor, 0x00CC0020},
      {-41, 70, 5, 5, 45, PixelFormat::kColor, 0x00CC0020},
      {50, 77, 4, 4, -6, PixelFormat::kColor, 0x00CC0020},
      {23, 77, 4, 6, 0, PixelFormat::kColor, 0x00CC0020},
      {-9, 77, 4, 4, 8, PixelFormat::kColor, 0x00CC0020},
      {4, 77, 3, 3, 0, PixelFormat::kColor, 0x00CC0020},
      {61, 70, 4, 5, 0, PixelFormat::kColor, 0x00EE0086},  // SRCPAINT
      {61, 70, 4, 5, 0, PixelFormat::kMonochrome, 0x00CC0020},
      {19, 70, 4, 4, 0, PixelFormat::kMonochrome, 0x00CC0020},
      // Wide enough for the window passes to work piece by piece.
      {300, 1000, 3, 4, 0, PixelFormat::kColor, 0x00CC0020},
      {-300, 1000, 3, 3, 299, PixelFormat::kColor, 0x00CC0020},
      {257, 700, 3, 3, 5, PixelFormat::kColor, 0x00CC0020},
  };
  for (const Case& c : cases) {
    const int destination_width = std::max(64, std::abs(c.width) + 8);
    PixelBitmap source = *make_pixel_bitmap(c.source_width, c.source_height, PixelFormat::kColor);
    // A few colours, so that the monochrome conversion sees its key.
    const std::uint32_t colours[] = {0x000000u, 0x010000u, 0x000001u, 0xFFFFFFu, 0x123456u};
    for (auto& pixel : source.pixels) pixel = colours[random() % std::size(colours)];
    PixelBitmap destination =
        *make_pixel_bitmap(destination_width, c.height + 1, c.destination_format);
    for (auto& pixel : destination.pixels) {
      pixel = c.destination_format == PixelFormat::kColor ? random() & 0x00FFFFFFu
                                                          : (random() % 2 ? kMonoOne : kMonoZero);
    }
    BlitRequest request;
    request.source_colors.background = ColorRef{0x00000001u};
    request.geometry = {{c.x, 1, c.width, c.height}, {0, 0, c.source_width, c.source_height}};
    request.rop = decode_rop3(c.rop);
    PixelBitmap fast = destination;
    PixelBitmap expected = destination;
    request.source = &source;
    request.destination = &fast;
    stretch_blt(request);
    PixelBitmap streamed = destination;
    request.destination = &streamed;
    stretch_blt_streaming_from(request, 0);
    request.destination = &expected;
    reference_blit(request);
    EXPECT_EQ(fast.pixels, expected.pixels) << c.source_width << "x" << c.source_height << " onto "
                                            << c.width << "x" << c.height << " at " << c.x;
    EXPECT_EQ(streamed.pixels, expected.pixels)
        << "streamed, " << c.source_width << "x" << c.source_height << " onto " << c.width;
  }
}

}  // namespace
}  // namespace showsaver::soft
