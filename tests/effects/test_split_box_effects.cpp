// Effects 1, 2 and 10: the splits and the growing box.
#include <gtest/gtest.h>

#include <algorithm>

#include "effect_harness.h"

namespace showsaver::effects_test {
namespace {

TEST(SplitApartHorizontal, TwoHundredFiftyWideTakesTwentyOneFramesAndSplitsByRoundedSteps) {
  const EffectRecord record = run(1, 250, 200);
  ASSERT_EQ(record.frames.size(), 21u);
  // i = 0: the outgoing picture whole, the gap empty.
  EXPECT_EQ(record.frames[0][2], "copy in 125,0 0x200 <- 125,0");
  // i = 6.25.
  EXPECT_EQ(record.frames[1], (std::vector<std::string>{"copy out 0,0 119x200 <- 6,0",
                                                        "copy out 131,0 119x200 <- 125,0",
                                                        "copy in 119,0 12x200 <- 119,0"}));
  // i = 125: the halves have gone and the gap spans the picture.
  EXPECT_EQ(record.frames[20], (std::vector<std::string>{"copy out 0,0 0x200 <- 125,0",
                                                         "copy out 250,0 0x200 <- 125,0",
                                                         "copy in 0,0 250x200 <- 0,0"}));
}

TEST(SplitApartHorizontal, TenTwentyFourWideEndsAfterTwentyFramesJustShortOfTheEdge) {
  const EffectRecord record = run(1, 1024, 100);
  ASSERT_EQ(record.frames.size(), 20u);
  // i is about 486.4 in the last frame.
  EXPECT_EQ(record.frames[19][0], "copy out 0,0 26x100 <- 486,0");
}

// The right end of the furthest copy of any loop frame.
int furthest_column_end(const EffectRecord& record) {
  int end = 0;
  for (const auto& frame : record.frame_calls) {
    for (const GdiCall& call : frame) end = std::max(end, call.x + call.width);
  }
  return end;
}

TEST(SplitApartHorizontal, OddWidthsLeaveTheLastColumnOrReachPastIt) {
  // d = 126 for both: the frames span 252 columns.
  EXPECT_EQ(furthest_column_end(run(1, 253, 10)), 252);
  EXPECT_EQ(run(1, 251, 10).frames[0][1], "copy out 126,0 126x10 <- 126,0");
}

TEST(SplitApartVertical, IsTheHorizontalSplitWithTheAxesExchanged) {
  const EffectRecord record = run(2, 200, 250);
  ASSERT_EQ(record.frames.size(), 21u);
  EXPECT_EQ(record.frames[1], (std::vector<std::string>{"copy out 0,0 200x119 <- 0,6",
                                                        "copy out 0,131 200x119 <- 0,125",
                                                        "copy in 0,119 200x12 <- 0,119"}));
  EXPECT_EQ(run(2, 100, 1024).frames.size(), 20u);
}

TEST(BoxOut, SixFortyWideGrowsSixteenPixelsASideEachFrame) {
  const EffectRecord record = run(10, 640, 480);
  ASSERT_EQ(record.frames.size(), 20u);
  for (int k = 0; k < 20; ++k) {
    const int x = 320 - 16 * k;
    const int y = 240 - 12 * k;
    EXPECT_EQ(record.frames[k], std::vector<std::string>{strf("copy in %d,%d %dx%d <- %d,%d", x, y,
                                                              (320 - x) * 2, (240 - y) * 2, x, y)});
  }
  EXPECT_EQ(record.frames[19][0], "copy in 16,12 608x456 <- 16,12");
}

TEST(BoxOut, TwoFiftyWideRoundsTheCornerToSixPixelsAFrame) {
  const EffectRecord record = run(10, 250, 250);
  ASSERT_EQ(record.frames.size(), 20u);
  EXPECT_EQ(record.frames[1][0], "copy in 119,119 12x12 <- 119,119");
  EXPECT_EQ(record.frames[2][0], "copy in 113,113 24x24 <- 113,113");
  EXPECT_EQ(record.frames[19][0], "copy in 11,11 228x228 <- 11,11");
}

TEST(BoxOut, NeverGrowsBelowTwentyOneWide) {
  for (const int width : {19, 20}) {
    for (const auto& frame : run(10, width, width).frames) {
      EXPECT_EQ(frame, std::vector<std::string>{"copy in 10,10 0x0 <- 10,10"}) << width;
    }
  }
}

}  // namespace
}  // namespace showsaver::effects_test
