// A hold that pans and zooms: paced frames from the start rectangle to the
// end one, the transition out starting where the motion ended; a hold
// without motion draws nothing while it waits.
#include "player/hold_motion.h"

#include <gtest/gtest.h>

#include "support/package_builder.h"
#include "support/show_harness.h"

namespace showsaver {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

constexpr Rect kZoomedIn{40, 8, 16, 12};

// Red on the left half and blue on the right, the size of the show, with a
// green square inside the part zoomed into, whose edges the filter blends.
PixelImage halves() {
  const PixelImage red_blue =
      test::with_rectangle(test::solid_image(64, 48, kRed), 32, 0, 32, 48, kBlue);
  return test::with_rectangle(red_blue, 46, 12, 5, 4, 0x00FF00);
}

// Scene 0, the halves, zooms from the whole picture into a part of the blue
// over its hold of 1 s; scene 1 is grey.
ShowPackage moving_show(bool with_motion) {
  ShowPackage package = test::PackageBuilder(64, 48)
                            .scene("halves", test::bmp_file(halves()))
                            .display_time(1000)
                            .effect(19)  // a wipe, which opens on the outgoing frame
                            .scene("grey", test::bmp_file(test::solid_image(64, 48, 0x808080)))
                            .display_time(1000)
                            .build();
  if (with_motion) {
    package.Extension = ShowExtension{{PanZoomPathRecord{0, Rect{0, 0, 64, 48}, kZoomedIn}}};
  }
  return package;
}

// The pixel 30 to the left of the picture's centre: red at the start, blue
// once zoomed in.
std::uint32_t left_of_centre(const PixelImage& frame) {
  return test::pixel(frame, frame.width / 2 - 30, frame.height / 2) & 0xFFFFFF;
}

TEST(HoldMotion, FramesMoveFromTheStartToTheEndAtAStepAndStillHoldsDrawNothing) {
  for (const bool with_motion : {true, false}) {
    SCOPED_TRACE(with_motion ? "with motion" : "without motion");
    test::ShowOptions options;
    options.key_after_transitions = 1;
    test::ShowRun show(moving_show(with_motion), options);
    show.run();
    ASSERT_EQ(show.transitions().size(), 1u);
    const auto& frames = show.frames();
    const auto hold_frames = static_cast<std::size_t>(show.transitions()[0].frames_before);
    if (!with_motion) {
      EXPECT_EQ(hold_frames, 1u);  // the show's first frame only: the hold just waits
      continue;
    }
    // One a period across the second of the hold, and the first frame of the show.
    EXPECT_GE(hold_frames, std::size_t(1000 / kMotionFramePeriodMs));
    EXPECT_LE(hold_frames, std::size_t(1000 / kMotionFramePeriodMs) + 3);
    EXPECT_EQ(left_of_centre(frames[1]), kRed);
    EXPECT_EQ(left_of_centre(frames[hold_frames - 1]), kBlue);
    // The hold's last frame, drawn in place into the frame bitmap, is the
    // filter's drawing of the end rectangle, pixel for pixel.
    PixelImage zoomed_in{64, 48, {}};
    draw_region(halves(), to_fixed(kZoomedIn), zoomed_in);
    EXPECT_EQ(frames[hold_frames - 1], zoomed_in);
    // The wipe out starts from the zoomed frame: no frame of the unzoomed
    // picture comes back.
    for (std::size_t i = hold_frames - 1; i < frames.size(); ++i) {
      EXPECT_NE(left_of_centre(frames[i]), kRed) << i;
    }
  }
}

TEST(HoldMotion, SeedsAndPathsGiveThePathOfTheirScene) {
  const ShowExtension extension{
      {PanZoomSeedRecord{1, 8}, PanZoomPathRecord{2, Rect{1, 2, 3, 4}, Rect{5, 6, 7, 8}}}};
  const Size area{640, 480};
  EXPECT_FALSE(motion_path(extension, 0, area));
  EXPECT_FALSE(motion_path(std::nullopt, 1, area));
  ASSERT_TRUE(motion_path(extension, 1, area));
  EXPECT_EQ(motion_path(extension, 1, area)->end, path_from_seed(8, area).end);
  EXPECT_EQ(motion_path(extension, 2, area)->start, (Rect{1, 2, 3, 4}));
}

}  // namespace
}  // namespace showsaver
