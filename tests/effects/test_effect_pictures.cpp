// What the effects put on screen, pixel by pixel, through the software GDI.
#include <gtest/gtest.h>

#include "picture_stage.h"

namespace showsaver::effects_test {
namespace {

std::uint32_t pixel(const PixelImage& image, int x, int y) {
  return image.pixels.at(static_cast<std::size_t>(y) * image.width + x);
}

PixelOrigin at(const PixelImage& image, int x, int y) {
  return origin_of(pixel(image, x, y));
}

PixelOrigin outgoing_at(int x, int y) {
  return {Picture::kOutgoing, x, y};
}
PixelOrigin incoming_at(int x, int y) {
  return {Picture::kIncoming, x, y};
}

class EveryEffectOnScreen : public testing::TestWithParam<int> {};

TEST_P(EveryEffectOnScreen, EndsShowingTheIncomingPictureHoweverItEnds) {
  for (const auto& [width, height] : {std::pair{120, 90}, std::pair{251, 97}}) {
    PictureStage normal(width, height);
    normal.run(GetParam());
    EXPECT_EQ(normal.destination(), normal.incoming()) << width;

    PictureStage stopped_before(width, height);
    RunSetup before = stopped_before.setup();
    before.stop_before_call = true;
    stopped_before.run(GetParam(), before);
    EXPECT_EQ(stopped_before.destination(), stopped_before.incoming()) << width;

    PictureStage stopped_during(width, height);
    RunSetup during = stopped_during.setup();
    during.key_at_ms = 70;
    stopped_during.run(GetParam(), during);
    EXPECT_EQ(stopped_during.destination(), stopped_during.incoming()) << width;
  }
}

TEST_P(EveryEffectOnScreen, FirstFrameShowsNothingOfWhatWasOnTheDestinationBefore) {
  // Tall enough for the blinds to have frames.
  PictureStage stage(160, 120);
  stage.run(GetParam());
  ASSERT_FALSE(stage.refreshed().empty());
  for (const std::uint32_t value : stage.refreshed()[0].pixels) {
    ASSERT_NE(origin_of(value).picture, Picture::kStale);
  }
}

INSTANTIATE_TEST_SUITE_P(Effects, EveryEffectOnScreen, testing::Range(1, 30));

class InPlaceEffect : public testing::TestWithParam<int> {};

// Tiles, blinds, the box and the wipes only ever turn pixels of the outgoing
// picture into the incoming picture's pixels at the same place.
TEST_P(InPlaceEffect, OnlyAddsIncomingPixelsInPlace) {
  PictureStage stage(250, 250);
  stage.run(GetParam());
  std::vector<bool> was_incoming(250 * 250, false);
  for (const PixelImage& frame : stage.refreshed()) {
    for (int y = 0; y < 250; ++y) {
      for (int x = 0; x < 250; ++x) {
        const PixelOrigin origin = at(frame, x, y);
        const bool incoming = origin == incoming_at(x, y);
        ASSERT_TRUE(incoming || origin == outgoing_at(x, y)) << x << "," << y;
        ASSERT_FALSE(was_incoming[y * 250 + x] && !incoming) << x << "," << y;
        was_incoming[y * 250 + x] = incoming;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Effects, InPlaceEffect, testing::Values(3, 4, 9, 10, 19, 20, 21, 22));

TEST(SlideInFromLeftOnScreen, InnerEndOfTheBandKeepsItsPixelsWhereTheSourceRunsOut) {
  PictureStage stage(250, 4);
  stage.run(5);
  const PixelImage& frame = stage.refreshed().at(1);  // i = 12.5
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x <= 11; ++x) EXPECT_EQ(at(frame, x, y), incoming_at(238 + x, y));
    for (int x = 12; x < 250; ++x) EXPECT_EQ(at(frame, x, y), outgoing_at(x, y));
  }
}

TEST(SlideInFromRightOnScreen, LastLoopFrameLeavesColumnZero) {
  PictureStage stage(250, 4);
  stage.run(6);
  ASSERT_EQ(stage.refreshed().size(), 21u);
  EXPECT_EQ(at(stage.refreshed()[20], 0, 0), outgoing_at(0, 0));
  EXPECT_EQ(at(stage.refreshed()[20], 1, 0), incoming_at(0, 0));
}

class BottomRowKept : public testing::TestWithParam<int> {};

TEST_P(BottomRowKept, BottomRowShowsTheOutgoingPictureInEveryLoopFrame) {
  PictureStage stage(8, 480);
  stage.run(GetParam());
  ASSERT_EQ(stage.refreshed().size(), 20u);
  for (const PixelImage& frame : stage.refreshed()) {
    for (int x = 0; x < 8; ++x) ASSERT_EQ(at(frame, x, 479), outgoing_at(x, 479));
  }
}

INSTANTIATE_TEST_SUITE_P(Effects, BottomRowKept, testing::Values(8, 20, 22, 29));

TEST(SplitApartHorizontalOnScreen, OddWidthLeavesTheLastColumnToTheFinalFrame) {
  PictureStage stage(253, 2);
  stage.run(1);
  for (const PixelImage& frame : stage.refreshed()) {
    ASSERT_EQ(at(frame, 252, 0), outgoing_at(252, 0));
  }
  EXPECT_EQ(stage.destination(), stage.incoming());
}

constexpr std::uint32_t kRed = 0x00FF0000;
constexpr std::uint32_t kGreen = 0x0000FF00;
constexpr std::uint32_t kBlue = 0x000000FF;

TEST(ZoomOutToCentreOnScreen, SevenHundredWideDrawsTheLastRectangleMirrored) {
  PictureStage stage(halves_image(700, 490, kRed, kGreen), halves_image(700, 490, kBlue, kBlue));
  stage.run(24);
  const PixelImage& frame = stage.refreshed().at(20);
  // Twenty columns around 340 to 359 in rows 240 to 249; the exact pixel
  // placement of a mirrored rectangle may shift it by one.
  for (int y = 240; y < 250; ++y) {
    for (int x = 342; x <= 348; ++x) EXPECT_EQ(pixel(frame, x, y), kGreen) << x << "," << y;
    for (int x = 352; x <= 358; ++x) EXPECT_EQ(pixel(frame, x, y), kRed) << x << "," << y;
    EXPECT_EQ(pixel(frame, 339, y), kBlue);
    EXPECT_EQ(pixel(frame, 362, y), kBlue);
  }
  EXPECT_EQ(pixel(frame, 350, 239), kBlue);
}

TEST(FlipHorizontalOnScreen, TurningPointShowsASixtyFourPixelMirror) {
  PictureStage stage(halves_image(640, 4, kRed, kGreen), halves_image(640, 4, kBlue, kBlue));
  stage.run(13);
  for (const int k : {11, 30}) {
    const PixelImage& frame = stage.refreshed().at(k);
    const std::uint32_t left = k == 11 ? kRed : kBlue;
    const std::uint32_t right = k == 11 ? kGreen : kBlue;
    for (int x = 291; x <= 316; ++x) EXPECT_EQ(pixel(frame, x, 0), right) << k << ":" << x;
    for (int x = 324; x <= 349; ++x) EXPECT_EQ(pixel(frame, x, 0), left) << k << ":" << x;
  }
}

TEST(PinchHorizontalOnScreen, TheMiddleFramesAreAllBlack) {
  PictureStage stage(640, 4);
  stage.run(11);
  for (const int k : {10, 11}) {
    for (const std::uint32_t value : stage.refreshed().at(k).pixels) ASSERT_EQ(value, 0u) << k;
  }
}

TEST(SqueezeFromTopOnScreen, OvershootingBandLeavesOnlyTheIncomingPicture) {
  PictureStage stage(4, 732);
  stage.run(16);
  for (const std::uint32_t value : stage.refreshed().at(20).pixels) {
    ASSERT_EQ(origin_of(value).picture, Picture::kIncoming);
  }
}

TEST(CentreZoomOnScreen, SixFortyOneWideNeverCoversTheRightmostColumnInALoopFrame) {
  PictureStage zoom_out(641, 40);
  zoom_out.run(24);
  for (const PixelImage& frame : zoom_out.refreshed()) {
    for (int y = 0; y < 40; ++y) ASSERT_EQ(at(frame, 640, y), incoming_at(640, y));
  }
  PictureStage through_black(641, 40);
  through_black.run(25);
  for (const PixelImage& frame : through_black.refreshed()) {
    for (int y = 0; y < 40; ++y) ASSERT_EQ(pixel(frame, 640, y), 0u);
  }
}

}  // namespace
}  // namespace showsaver::effects_test
