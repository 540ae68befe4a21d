#include "common/show_math.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/tick.h"

namespace showsaver {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, std::int32_t> cases[] = {{0.5, 0},
                                                   {1.5, 2},
                                                   {2.5, 2},
                                                   {3.5, 4},
                                                   {-0.5, 0},
                                                   {-1.5, -2},
                                                   {-2.5, -2},
                                                   {6.25, 6},
                                                   {118.75, 119},
                                                   {-9.5, -10},
                                                   {0.49999, 0},
                                                   {-0.50001, -1},
                                                   {2147483647.0, 2147483647},
                                                   {-2147483648.5, -2147483648},
                                                   {-2147483648.0, -2147483648}};
  for (const auto& [value, expected] : cases) EXPECT_EQ(round_half_even(value), expected) << value;
}

TEST(RoundHalfEven, ValuesOutsideThirtyTwoBitsOverflow) {
  for (const double value :
       {2147483647.5, 2147483648.0, -2147483649.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity()}) {
    EXPECT_THROW(round_half_even(value), RuntimeFailure) << value;
  }
}

TEST(CheckedArithmetic, OverflowIsARuntimeFailure) {
  EXPECT_EQ(checked_add(2147483640, 7), 2147483647);
  EXPECT_THROW(checked_add(2147483640, 8), RuntimeFailure);
  EXPECT_THROW(checked_sub(-2147483647, 2), RuntimeFailure);
  EXPECT_THROW(checked_mul(65536, 32768), RuntimeFailure);
  EXPECT_THROW(checked_neg(std::numeric_limits<std::int32_t>::min()), RuntimeFailure);
  EXPECT_EQ(checked_neg(-2147483647), 2147483647);
}

TEST(SinglePrecision, StoresRoundedAndOverflowsPastItsRange) {
  EXPECT_EQ(to_single(0.1), 0.1f);
  EXPECT_NE(static_cast<double>(to_single(0.1)), 0.1);
  EXPECT_EQ(to_single(23.95), 23.95f);
  EXPECT_THROW(to_single(1e39), RuntimeFailure);
}

TEST(TickArithmetic, StaysRightAcrossTheSignChangeAndTheWrap) {
  const std::int32_t max = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(tick_add(max - 10, 50), std::numeric_limits<std::int32_t>::min() + 39);
  EXPECT_EQ(tick_add(-10, 50), 40);
  EXPECT_TRUE(tick_not_after(max, tick_add(max - 10, 50)));
  EXPECT_FALSE(tick_not_after(tick_add(max, 41), tick_add(max - 10, 50)));
  EXPECT_TRUE(tick_not_after(-1, 40));
  EXPECT_FALSE(tick_not_after(41, 40));
}

}  // namespace
}  // namespace showsaver
