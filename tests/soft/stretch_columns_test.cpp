// The column step of one- and two-column shrinks: the vector path, where the
// processor has it, gives what the plain loop gives for every count of
// pixels around its eight-pixel step and any base.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/soft/stretch_columns.h"

namespace showsaver::soft {
namespace {

TEST(StretchColumnsTest, EveryCountAndBaseMatchesThePlainLoop) {
  std::mt19937 random(7);
  for (const int base : {0, 3, 1000}) {
    for (const int n : {0, 1, 7, 8, 9, 15, 16, 17, 63, 64, 65, 333}) {
      const int width = 2 * n + 2;
      std::vector<std::uint32_t> line(static_cast<std::size_t>(width));
      for (auto& pixel : line) pixel = random();
      std::vector<int> first(static_cast<std::size_t>(n));
      std::vector<int> last(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) {
        first[static_cast<std::size_t>(i)] = base + static_cast<int>(random() % width);
        last[static_cast<std::size_t>(i)] = base + static_cast<int>(random() % width);
      }
      // One guard pixel past the end shows a store beyond n.
      std::vector<std::uint32_t> fast(static_cast<std::size_t>(n) + 1, 0xDEADBEEF);
      std::vector<std::uint32_t> plain(static_cast<std::size_t>(n) + 1, 0xDEADBEEF);
      and_column_pairs(line.data(), base, first.data(), last.data(), n, fast.data());
      and_column_pairs_scalar(line.data(), base, first.data(), last.data(), 0, n, plain.data());
      EXPECT_EQ(fast, plain) << "base " << base << ", " << n << " pixels";
      for (int i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        ASSERT_EQ(plain[at], line[static_cast<std::size_t>(first[at] - base)] &
                                 line[static_cast<std::size_t>(last[at] - base)]);
      }
    }
  }
}

}  // namespace
}  // namespace showsaver::soft
