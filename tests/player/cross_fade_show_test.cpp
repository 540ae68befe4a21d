// A scene that leaves by a cross-fade: each frame is the blend of the two
// pictures at its time, the frames are paced, and a stop ends the fade.
#include <gtest/gtest.h>

#include "effects/cross_fade.h"
#include "effects/cross_fade_transition.h"
#include "support/package_builder.h"
#include "support/show_harness.h"

namespace showsaver {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

// Red fades into blue over `fade_ms`; blue cuts back to red.
ShowPackage fading_show(std::int32_t fade_ms) {
  ShowPackage package = test::PackageBuilder(64, 48)
                            .scene("red", test::bmp_file(test::solid_image(64, 48, kRed)))
                            .display_time(500)
                            .effect(5)  // the fallback, never shown here
                            .scene("blue", test::bmp_file(test::solid_image(64, 48, kBlue)))
                            .display_time(500)
                            .build();
  package.Extension = ShowExtension{{FadeRecord{0, fade_ms}}};
  return package;
}

// The one blend (checked against its formula in test_cross_fade.cpp) of
// two pixels.
std::uint32_t expected_blend(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
  std::uint32_t out = 0;
  blend_row(std::span(&out, 1), std::span(&a, 1), std::span(&b, 1), weight);
  return out;
}

TEST(CrossFadeShow, EachFrameIsTheBlendAtItsTimeAndTheFadeEndsOnTheIncomingPicture) {
  test::ShowOptions options;
  options.key_after_transitions = 1;
  test::ShowRun show(fading_show(100), options);
  show.run();
  ASSERT_EQ(show.transitions().size(), 1u);
  const auto& fade = show.transitions()[0];
  EXPECT_GE(fade.finished_ms - fade.started_ms, 100);

  const auto& frames = show.frames();
  const std::size_t first = static_cast<std::size_t>(fade.frames_before);
  constexpr int kFrames = 100 / kFadeFramePeriodMs;
  ASSERT_GE(frames.size(), first + kFrames);
  for (int k = 0; k < kFrames; ++k) {
    const std::uint32_t weight = static_cast<std::uint32_t>((k + 1) * 256 / kFrames);
    const PixelImage& frame = frames[first + k];
    EXPECT_EQ(test::pixel(frame, frame.width / 2, frame.height / 2) & 0xFFFFFF,
              expected_blend(kRed, kBlue, weight))
        << "frame " << k;
  }
  const PixelImage& last = frames[first + kFrames];
  EXPECT_EQ(test::pixel(last, last.width / 2, last.height / 2) & 0xFFFFFF, kBlue);
}

TEST(CrossFadeShow, AKeyDuringALongFadeEndsTheShow) {
  test::ShowOptions options;
  options.inputs.push_back(ScriptedInput{1500, InputKind::Key, {}});  // a second into the fade
  test::ShowRun show(fading_show(60'000), options);
  show.run();
  ASSERT_EQ(show.transitions().size(), 1u);
  EXPECT_LT(show.transitions()[0].finished_ms, 500 + 2000);
}

}  // namespace
}  // namespace showsaver
