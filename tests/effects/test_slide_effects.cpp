// Effects 5 to 8: the incoming picture slides in over the unmoving outgoing one.
#include <gtest/gtest.h>

#include "effect_harness.h"

namespace showsaver::effects_test {
namespace {

TEST(SlideInFromLeft, TwoFiftyWideShowsTheFarEndFirst) {
  const EffectRecord record = run(5, 250, 100);
  ASSERT_EQ(record.frames.size(), 21u);
  // i = 0: the whole source lies past the incoming picture's right edge.
  EXPECT_EQ(record.frames[0], std::vector<std::string>{"copy in 0,0 1x100 <- 250,0"});
  // i = 12.5: columns 0 to 11 come from 238 to 249; 12 and 13 have no source.
  EXPECT_EQ(record.frames[1], std::vector<std::string>{"copy in 0,0 14x100 <- 238,0"});
  // i = 250: the whole incoming picture.
  EXPECT_EQ(record.frames[20], std::vector<std::string>{"copy in 0,0 251x100 <- 0,0"});
}

TEST(SlideInFromTop, TwoFiftyHighShowsTheFarEndFirst) {
  const EffectRecord record = run(7, 100, 250);
  ASSERT_EQ(record.frames.size(), 21u);
  EXPECT_EQ(record.frames[1], std::vector<std::string>{"copy in 0,0 100x14 <- 0,238"});
}

TEST(SlideIn, TenTwentyFourLongTakesTwentyFrames) {
  EXPECT_EQ(run(5, 1024, 10).frames.size(), 20u);
  EXPECT_EQ(run(7, 10, 1024).frames.size(), 20u);
}

TEST(SlideInFromRight, TwoFiftyWideLeavesColumnZeroToTheFinalFrame) {
  const EffectRecord record = run(6, 250, 100);
  ASSERT_EQ(record.frames.size(), 21u);
  EXPECT_EQ(record.frames[0], std::vector<std::string>{"copy in 250,0 0x100 <- 0,0"});
  // i is about 248.99995 in the last frame.
  EXPECT_EQ(record.frames[20], std::vector<std::string>{"copy in 1,0 249x100 <- 0,0"});
}

TEST(SlideInFromBottom, TwoFiftyHighNeverReachesTheBottomRow) {
  const EffectRecord record = run(8, 100, 250);
  ASSERT_EQ(record.frames.size(), 21u);
  EXPECT_EQ(record.frames[20], std::vector<std::string>{"copy in 0,0 100x249 <- 0,0"});
  for (const auto& frame : record.frame_calls) {
    EXPECT_LE(frame.at(0).y + frame.at(0).height, 249);
  }
}

TEST(SlideIn, SixFortyFromTheFarSideTakesTwentyFrames) {
  EXPECT_EQ(run(6, 640, 10).frames.size(), 20u);
  const EffectRecord record = run(8, 10, 640);
  ASSERT_EQ(record.frames.size(), 20u);
  // i is about 607.05 in the last frame.
  EXPECT_EQ(record.frames[19], std::vector<std::string>{"copy in 0,32 10x607 <- 0,0"});
}

}  // namespace
}  // namespace showsaver::effects_test
