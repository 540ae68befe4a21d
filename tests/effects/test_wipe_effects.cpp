// Effects 19 to 22: an edge sweeps across and uncovers the incoming picture.
#include <gtest/gtest.h>

#include "effect_harness.h"

namespace showsaver::effects_test {
namespace {

TEST(WipeByColumns, SixFortyWideStepsThirtyTwoColumnsInTwentyOneFrames) {
  const EffectRecord from_left = run(19, 640, 100);
  const EffectRecord from_right = run(21, 640, 100);
  ASSERT_EQ(from_left.frames.size(), 21u);
  ASSERT_EQ(from_right.frames.size(), 21u);
  for (int k = 0; k <= 20; ++k) {
    EXPECT_EQ(from_left.frames[k],
              std::vector<std::string>{strf("copy in 0,0 %dx100 <- 0,0", 32 * k + 1)});
    const int edge = 640 - 32 * k;
    EXPECT_EQ(from_right.frames[k],
              std::vector<std::string>{strf("copy in %d,0 %dx100 <- %d,0", edge, 32 * k, edge)});
  }
}

TEST(WipeByColumns, TenTwentyFourWidePassesTheEndOnTheTwentiethStep) {
  const EffectRecord record = run(19, 1024, 10);
  ASSERT_EQ(record.frames.size(), 20u);
  // i is about 972.8 in the last frame.
  EXPECT_EQ(record.frames[19], std::vector<std::string>{"copy in 0,0 974x10 <- 0,0"});
  EXPECT_EQ(run(21, 1024, 10).frames.size(), 20u);
}

TEST(WipeByRows, FourEightyHighTakesTwentyFramesAndSparesTheBottomRow) {
  const EffectRecord from_top = run(20, 100, 480);
  const EffectRecord from_bottom = run(22, 100, 480);
  ASSERT_EQ(from_top.frames.size(), 20u);
  ASSERT_EQ(from_bottom.frames.size(), 20u);
  // i is about 455.05 in the last frame.
  EXPECT_EQ(from_top.frames[19], std::vector<std::string>{"copy in 0,0 100x455 <- 0,0"});
  EXPECT_EQ(from_bottom.frames[19], std::vector<std::string>{"copy in 0,24 100x455 <- 0,24"});
  for (const EffectRecord* record : {&from_top, &from_bottom}) {
    for (const auto& frame : record->frame_calls) {
      EXPECT_LE(frame.at(0).y + frame.at(0).height, 479);
    }
  }
}

TEST(WipeByRows, SevenSixtyEightHighEndsJustBelowTheLastRow) {
  const EffectRecord record = run(20, 100, 768);
  ASSERT_EQ(record.frames.size(), 21u);
  EXPECT_EQ(record.frames[20], std::vector<std::string>{"copy in 0,0 100x767 <- 0,0"});
  EXPECT_EQ(run(22, 100, 768).frames.size(), 21u);
}

}  // namespace
}  // namespace showsaver::effects_test
