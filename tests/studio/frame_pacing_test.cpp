// Which frames of a playing show the page gets: one a display refresh of
// show time at most, and always the picture that stays.
#include "engine/frame_pacing.h"

#include <gtest/gtest.h>

#include <vector>

namespace showsaver::studio {
namespace {

using Action = FramePacing::Action;
constexpr double kRefresh = 16.7;

struct Step {
  std::int64_t time;  // negative: the picture stays
  FramePacing::Decision expected;
  bool stays_hands_over = false;  // for a picture that stays
};

TEST(FramePacingTest, DecidesEachFrameByTheTimeSinceTheLastShown) {
  const std::vector<Step> steps = {
      {0, {false, Action::Show}},   // the first
      {0, {false, Action::Hold}},   // the same time again
      {11, {false, Action::Hold}},  // within a refresh: replaces the held one
      {22, {false, Action::Show}},  // a refresh after the last shown
      {33, {false, Action::Hold}},
      {-1, {}, true},                // a transition ends: the held one is seen
      {-1, {}, false},               // nothing held any more
      {44, {false, Action::Hold}},   // within a refresh of 33
      {2044, {true, Action::Show}},  // after a hold: the held one was seen first
      {2055, {false, Action::Hold}},
      {2061, {false, Action::Show}},  // a refresh after 2044; 2055 is not seen
      {2070, {false, Action::Hold}},
  };
  FramePacing pacing(kRefresh);
  for (std::size_t index = 0; index < steps.size(); ++index) {
    const Step& step = steps[index];
    SCOPED_TRACE("step " + std::to_string(index));
    if (step.time < 0) {
      EXPECT_EQ(pacing.picture_stays(), step.stays_hands_over);
    } else {
      EXPECT_EQ(pacing.frame_drawn(step.time), step.expected);
    }
  }
}

// Frames 11 ms apart, as the fastest transition draws them: the page gets
// them at least a refresh apart, never two refreshes without one, and the last.
TEST(FramePacingTest, FastFramesComeARefreshApartAndTheLastStays) {
  FramePacing pacing(kRefresh);
  std::vector<std::int64_t> shown;
  const std::int64_t last = 11 * 40;
  for (std::int64_t time = 0; time <= last; time += 11) {
    const FramePacing::Decision decision = pacing.frame_drawn(time);
    if (decision.action == Action::Show) shown.push_back(time);
  }
  if (pacing.picture_stays()) shown.push_back(last);
  ASSERT_EQ(shown.back(), last);
  for (std::size_t i = 1; i + 1 < shown.size(); ++i) {
    EXPECT_GE(shown[i] - shown[i - 1], kRefresh) << shown[i];
    EXPECT_LT(shown[i] - shown[i - 1], 2 * kRefresh) << shown[i];
  }
}

}  // namespace
}  // namespace showsaver::studio
