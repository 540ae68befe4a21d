// Effects 11 to 15: pinch, flip and squeeze from the left, all scaling whole
// pictures.
#include <gtest/gtest.h>

#include "effect_harness.h"

namespace showsaver::effects_test {
namespace {

const std::string kBlack640By480 = "fill -1,-1 640,480 0";

TEST(PinchHorizontal, SixFortyWideNarrowsToNothingOnBlackThenWidensToFourFifths) {
  const EffectRecord record = run(11, 640, 480);
  ASSERT_EQ(record.frames.size(), 20u);
  const int outgoing_widths[] = {640, 576, 512, 448, 384, 320, 256, 192, 128, 64, 0};
  for (int k = 0; k <= 10; ++k) {
    const int width = outgoing_widths[k];
    EXPECT_EQ(record.frames[k],
              (std::vector<std::string>{kBlack640By480,
                                        strf("scale out %d,0 %dx480", (640 - width) / 2, width)}));
  }
  const int incoming_widths[] = {0, 64, 128, 192, 256, 320, 384, 448, 512};
  for (int k = 11; k <= 19; ++k) {
    const int width = incoming_widths[k - 11];
    EXPECT_EQ(record.frames[k],
              std::vector<std::string>{strf("scale in %d,0 %dx480", (640 - width) / 2, width)});
  }
}

TEST(PinchHorizontal, SixThirtyWideTurnsIntoMirroredSliversAtTheMiddle) {
  const EffectRecord record = run(11, 630, 480);
  ASSERT_EQ(record.frames.size(), 20u);
  EXPECT_EQ(record.frames[9][1], "scale out 288,0 54x480");
  EXPECT_EQ(record.frames[10],
            (std::vector<std::string>{"fill -1,-1 630,480 0", "scale out 320,0 -10x480"}));
  EXPECT_EQ(record.frames[11], std::vector<std::string>{"scale in 320,0 -10x480"});
  EXPECT_EQ(record.frames[19], std::vector<std::string>{"scale in 64,0 502x480"});
}

TEST(PinchHorizontal, TwoFiftyWideNarrowsToTenPixelsAndNeverToNothing) {
  const EffectRecord record = run(11, 250, 100);
  for (int k = 0; k <= 10; ++k) EXPECT_GT(record.frame_calls[k].at(1).width, 0) << k;
  EXPECT_EQ(record.frames[10][1], "scale out 120,0 10x100");
}

TEST(PinchVertical, IsTheHorizontalPinchAlongTheOtherAxis) {
  const EffectRecord record = run(12, 480, 640);
  ASSERT_EQ(record.frames.size(), 20u);
  EXPECT_EQ(record.frames[1],
            (std::vector<std::string>{"fill -1,-1 480,640 0", "scale out 0,32 480x576"}));
  EXPECT_EQ(record.frames[10][1], "scale out 0,320 480x0");
  EXPECT_EQ(record.frames[19], std::vector<std::string>{"scale in 0,64 480x512"});
}

// The widths of the scaled copies of a flip, frame by frame.
std::vector<int> copy_widths(const EffectRecord& record, bool horizontal) {
  std::vector<int> widths;
  for (const auto& frame : record.frame_calls) {
    widths.push_back(horizontal ? frame.at(0).width : frame.at(0).height);
  }
  return widths;
}

TEST(FlipHorizontal, SixFortyWideTurnsOverTwiceWithSixtyFourPixelMirrors) {
  const EffectRecord record = run(13, 640, 480);
  ASSERT_EQ(record.frames.size(), 40u);
  const std::vector<int> expected{640, 576, 512, 448, 384, 320, 256, 192, 128, 64,
                                  0,   -64, 0,   64,  128, 192, 256, 320, 384, 448,
                                  512, 512, 448, 384, 320, 256, 192, 128, 64,  0,
                                  -64, 0,   64,  128, 192, 256, 320, 384, 448, 512};
  EXPECT_EQ(copy_widths(record, true), expected);
  // The outgoing picture up to frame 20, the incoming one from frame 21.
  for (int k = 0; k < 40; ++k) {
    EXPECT_EQ(record.surfaces.name(record.frame_calls[k].at(0).source), k <= 20 ? "out" : "in")
        << k;
  }
  // Mirrored into columns 288 to 351.
  EXPECT_EQ(record.frames[11], std::vector<std::string>{"scale out 352,0 -64x480"});
  EXPECT_EQ(record.frames[30], std::vector<std::string>{"scale in 352,0 -64x480"});
  EXPECT_EQ(record.frames[20], std::vector<std::string>{"scale out 64,0 512x480"});
  EXPECT_EQ(record.frames[21], std::vector<std::string>{"scale in 64,0 512x480"});
}

TEST(FlipHorizontal, SixThirtyWideMovesThirtyTwoPixelsAFrameThroughTheTurn) {
  const EffectRecord record = run(13, 630, 100);
  ASSERT_EQ(record.frames.size(), 40u);
  EXPECT_EQ(record.frames[10], std::vector<std::string>{"scale out 320,0 -10x100"});
  EXPECT_EQ(record.frames[11], std::vector<std::string>{"scale out 352,0 -74x100"});
  EXPECT_EQ(record.frames[12], std::vector<std::string>{"scale out 320,0 -10x100"});
  EXPECT_EQ(record.frames[20], std::vector<std::string>{"scale out 64,0 502x100"});
}

TEST(FlipVertical, IsTheHorizontalFlipAlongTheOtherAxis) {
  const EffectRecord record = run(14, 480, 640);
  ASSERT_EQ(record.frames.size(), 40u);
  EXPECT_EQ(copy_widths(record, false), copy_widths(run(13, 640, 480), true));
  EXPECT_EQ(record.frames[11], std::vector<std::string>{"scale out 0,352 480x-64"});
}

TEST(PinchAndFlip, TenPixelsOrLessNeverMove) {
  for (const int code : {11, 13}) {
    const EffectRecord record = run(code, 10, 10);
    for (const auto& frame : record.frame_calls) {
      EXPECT_EQ(frame.back().x, 0) << code;
      EXPECT_EQ(frame.back().width, 10) << code;
    }
  }
}

TEST(SqueezeFromLeft, SixFortyWideEndsWithTheIncomingPictureWhole) {
  const EffectRecord record = run(15, 640, 480);
  ASSERT_EQ(record.frames.size(), 21u);
  EXPECT_EQ(record.frames[0],
            (std::vector<std::string>{"scale out 0,0 640x480", "scale in 0,0 0x480"}));
  EXPECT_EQ(record.frames[1],
            (std::vector<std::string>{"scale out 32,0 608x480", "scale in 0,0 32x480"}));
  EXPECT_EQ(record.frames[20],
            (std::vector<std::string>{"scale out 640,0 0x480", "scale in 0,0 640x480"}));
}

TEST(SqueezeFromLeft, RoundedStepsFallShortOfOrOvershootTheRightEdge) {
  EXPECT_EQ(run(15, 650, 100).frames[20],
            (std::vector<std::string>{"scale out 640,0 10x100", "scale in 0,0 640x100"}));
  EXPECT_EQ(run(15, 630, 100).frames[20],
            (std::vector<std::string>{"scale out 640,0 -10x100", "scale in 0,0 640x100"}));
}

TEST(SqueezeFromLeft, TenPixelsOrLessNeverShowsTheIncomingPicture) {
  for (const auto& frame : run(15, 10, 10).frames) {
    EXPECT_EQ(frame, (std::vector<std::string>{"scale out 0,0 10x10", "scale in 0,0 0x10"}));
  }
}

}  // namespace
}  // namespace showsaver::effects_test
