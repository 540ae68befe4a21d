// Effects 26 to 29: the incoming picture pushes the outgoing one off.
#include <gtest/gtest.h>

#include "effect_harness.h"

namespace showsaver::effects_test {
namespace {

TEST(PushFromLeft, SixFortyWideEndsWithTheIncomingPictureOneColumnTooWide) {
  const EffectRecord record = run(26, 640, 100);
  ASSERT_EQ(record.frames.size(), 21u);
  // i = 0: the outgoing picture in place; the incoming column has no source.
  EXPECT_EQ(record.frames[0], (std::vector<std::string>{"copy out 0,0 640x100 <- 0,0",
                                                        "copy in 0,0 1x100 <- 640,0"}));
  EXPECT_EQ(record.frames[1], (std::vector<std::string>{"copy out 32,0 608x100 <- 0,0",
                                                        "copy in 0,0 33x100 <- 608,0"}));
  EXPECT_EQ(record.frames[20], (std::vector<std::string>{"copy out 640,0 0x100 <- 0,0",
                                                         "copy in 0,0 641x100 <- 0,0"}));
  EXPECT_EQ(run(26, 1024, 10).frames.size(), 20u);
}

TEST(PushFromTop, FourEightyHighTakesTwentyOneFrames) {
  const EffectRecord record = run(27, 100, 480);
  ASSERT_EQ(record.frames.size(), 21u);
  EXPECT_EQ(record.frames[1], (std::vector<std::string>{"copy out 0,24 100x456 <- 0,0",
                                                        "copy in 0,0 100x25 <- 0,456"}));
}

TEST(PushFromRight, SixFortyWideTakesTwentyFrames) {
  const EffectRecord record = run(28, 640, 100);
  ASSERT_EQ(record.frames.size(), 20u);
  EXPECT_EQ(record.frames[0], (std::vector<std::string>{"copy out 0,0 640x100 <- 0,0",
                                                        "copy in 640,0 0x100 <- 0,0"}));
  // i is about 607.05 in the last frame.
  EXPECT_EQ(record.frames[19], (std::vector<std::string>{"copy out 0,0 33x100 <- 607,0",
                                                         "copy in 33,0 607x100 <- 0,0"}));
}

TEST(PushFromBottom, FourEightyHighTakesTwentyFramesAndKeepsTheBottomRow) {
  const EffectRecord record = run(29, 100, 480);
  ASSERT_EQ(record.frames.size(), 20u);
  EXPECT_EQ(record.frames[19], (std::vector<std::string>{"copy out 0,0 100x24 <- 0,455",
                                                         "copy in 0,24 100x455 <- 0,0"}));
  for (const auto& frame : record.frame_calls) {
    for (const GdiCall& call : frame) EXPECT_LE(call.y + call.height, 479);
  }
}

}  // namespace
}  // namespace showsaver::effects_test
