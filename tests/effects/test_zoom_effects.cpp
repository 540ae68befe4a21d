// Effects 23 to 25: rectangles centred on the destination that grow or shrink.
#include <gtest/gtest.h>

#include "effect_harness.h"

namespace showsaver::effects_test {
namespace {

// The centred rectangle of a 640 x 480 destination with its corner k steps
// of (16, 12) in from the edges.
std::string centred(const char* source, int k) {
  return strf("scale %s %d,%d %dx%d", source, 16 * k, 12 * k, 640 - 32 * k, 480 - 24 * k);
}

TEST(ZoomInFromCentre, SixFortyByFourEightyGrowsFromNothingToTheWholeDestination) {
  const EffectRecord record = run(23, 640, 480);
  ASSERT_EQ(record.frames.size(), 21u);
  for (int k = 0; k <= 20; ++k) {
    EXPECT_EQ(record.frames[k], std::vector<std::string>{centred("in", 20 - k)});
  }
  EXPECT_EQ(record.frames[0][0], "scale in 320,240 0x0");
  EXPECT_EQ(record.frames[20][0], "scale in 0,0 640x480");
}

TEST(ZoomOutToCentre, SixFortyByFourEightyShrinksToNothingOverTheIncomingPicture) {
  const EffectRecord record = run(24, 640, 480);
  ASSERT_EQ(record.frames.size(), 21u);
  for (int k = 0; k <= 20; ++k) {
    EXPECT_EQ(record.frames[k],
              (std::vector<std::string>{whole_copy("in", 640, 480), centred("out", k)}));
  }
  EXPECT_EQ(record.frames[20][1], "scale out 320,240 0x0");
}

TEST(ZoomOutToCentre, SevenHundredWideOvershootsTheCentreIntoAMirroredCopy) {
  // Corner steps of round(17.5) = 18 reach 360 > 350; mirrored into columns
  // 340 to 359.
  EXPECT_EQ(run(24, 700, 490).frames[20][1], "scale out 360,240 -20x10");
}

TEST(CentreZoom, SixFortyOneWideNeverCoversTheRightmostColumn) {
  EXPECT_EQ(run(24, 641, 480).frames[0][1], "scale out 0,0 640x480");
  EXPECT_EQ(run(23, 641, 480).frames[20][0], "scale in 0,0 640x480");
}

TEST(ShrinkThroughBlack, ShrinksOverBlackThenGrowsTheIncomingPictureBack) {
  const EffectRecord record = run(25, 640, 480);
  ASSERT_EQ(record.frames.size(), 41u);
  for (int k = 0; k <= 20; ++k) {
    EXPECT_EQ(record.frames[k],
              (std::vector<std::string>{"fill -1,-1 640,480 0", centred("out", k)}));
  }
  for (int k = 21; k <= 40; ++k) {
    EXPECT_EQ(record.frames[k], std::vector<std::string>{centred("in", 41 - k)});
  }
  EXPECT_EQ(record.frames[20][1], "scale out 320,240 0x0");
  EXPECT_EQ(record.frames[21][0], "scale in 320,240 0x0");
  EXPECT_EQ(record.frames[40][0], "scale in 16,12 608x456");
}

}  // namespace
}  // namespace showsaver::effects_test
