// What every effect shares: the opening and final copies, the frame pacing,
// the stop, the tick counter's sign change, overflow and the loop edge cases.
#include <gtest/gtest.h>

#include <limits>

#include "common/runtime_failure.h"
#include "effect_harness.h"

namespace showsaver::effects_test {
namespace {

struct EffectTiming {
  int code;
  int frame_period;
  int frames_at_640_by_480;
};

// Frame periods and frame counts of every effect on a 640 x 480 surface.
constexpr EffectTiming kTimings[] = {
    {1, 50, 21},  {2, 50, 21},  {3, 40, 25},  {4, 40, 26},  {5, 50, 21},  {6, 50, 20},
    {7, 50, 21},  {8, 50, 20},  {9, 40, 25},  {10, 40, 20}, {11, 20, 20}, {12, 20, 20},
    {13, 10, 40}, {14, 10, 40}, {15, 25, 21}, {16, 25, 21}, {17, 25, 21}, {18, 25, 21},
    {19, 50, 21}, {20, 50, 20}, {21, 50, 21}, {22, 50, 20}, {23, 40, 21}, {24, 40, 21},
    {25, 20, 41}, {26, 40, 21}, {27, 40, 21}, {28, 40, 20}, {29, 40, 20},
};

class EveryEffect : public testing::TestWithParam<EffectTiming> {};

std::string timing_name(const testing::TestParamInfo<EffectTiming>& info) {
  return "code" + std::to_string(info.param.code);
}

// A frame's wait ends at the first tick past its deadline, so with instant
// drawing consecutive frames begin one period and one millisecond apart.
void expect_paced(const EffectRecord& record, int frame_period) {
  for (std::size_t k = 1; k < record.frame_starts.size(); ++k) {
    EXPECT_EQ(record.frame_starts[k] - record.frame_starts[k - 1], frame_period + 1)
        << "frame " << k;
  }
}

TEST_P(EveryEffect, OpensWithOutgoingEndsWithIncomingAndPacesEveryFrame) {
  const EffectTiming timing = GetParam();
  const EffectRecord record = record_effect(timing.code, RunSetup{});
  EXPECT_EQ(record.failure, "");
  EXPECT_EQ(record.opening, whole_copy("out", 640, 480));
  EXPECT_EQ(record.frames.size(), static_cast<std::size_t>(timing.frames_at_640_by_480));
  EXPECT_EQ(record.final_calls, std::vector<std::string>{whole_copy("in", 640, 480)});
  const bool squeeze_with_own_refresh = timing.code >= 16 && timing.code <= 18;
  EXPECT_EQ(record.refreshed_after_final, squeeze_with_own_refresh);
  // One refresh per loop frame: the opening copy is never shown on its own.
  EXPECT_EQ(static_cast<std::size_t>(record.refreshes),
            record.frames.size() + (squeeze_with_own_refresh ? 1 : 0));
  expect_paced(record, timing.frame_period);
}

TEST_P(EveryEffect, DrawsOnlyIntoTheDestinationWithPlainCopiesOfWholePictures) {
  const EffectRecord record = record_effect(GetParam().code, RunSetup{});
  for (const GdiCall& call : record.calls) {
    EXPECT_EQ(record.surfaces.name(call.dc), "dest");
    if (call.kind == GdiCallKind::BitBlt || call.kind == GdiCallKind::StretchBlt) {
      EXPECT_EQ(call.raster_operation, rop::SRCCOPY);
    }
    if (call.kind == GdiCallKind::StretchBlt) {
      EXPECT_EQ(call.source_x, 0);
      EXPECT_EQ(call.source_y, 0);
      EXPECT_EQ(call.source_width, 640);
      EXPECT_EQ(call.source_height, 480);
    }
    if (call.kind == GdiCallKind::FillBox) {
      EXPECT_EQ(call.color, rgb(0, 0, 0));
    }
  }
}

TEST_P(EveryEffect, DeadlineIsTakenBeforeTheDrawingSoDrawingTimeCountsTowardsThePeriod) {
  const EffectTiming timing = GetParam();
  RunSetup setup;
  setup.draw_cost_ms = 1;
  const EffectRecord record = record_effect(timing.code, setup);
  EXPECT_EQ(record.frames.size(), static_cast<std::size_t>(timing.frames_at_640_by_480));
  expect_paced(record, timing.frame_period);
}

TEST_P(EveryEffect, StopRequestedBeforeTheCallStillDrawsTheFirstFrame) {
  const EffectTiming timing = GetParam();
  RunSetup setup;
  setup.stop_before_call = true;
  const EffectRecord record = record_effect(timing.code, setup);
  const EffectRecord undisturbed = record_effect(timing.code, RunSetup{});
  EXPECT_EQ(record.opening, whole_copy("out", 640, 480));
  ASSERT_EQ(record.frames.size(), 1u);
  EXPECT_EQ(record.frames[0], undisturbed.frames[0]);
  EXPECT_EQ(record.final_calls, std::vector<std::string>{whole_copy("in", 640, 480)});
  // The final frame follows in the first wait, without waiting out the period.
  EXPECT_EQ(record.calls.back().elapsed_ms, 0);
}

TEST_P(EveryEffect, StopDuringAWaitEndsWithTheFinalFrameAtOnce) {
  const EffectTiming timing = GetParam();
  RunSetup setup;
  // In the middle of frame 3's wait.
  setup.key_at_ms = 3 * (timing.frame_period + 1) + timing.frame_period / 2;
  const EffectRecord record = record_effect(timing.code, setup);
  const EffectRecord undisturbed = record_effect(timing.code, RunSetup{});
  ASSERT_EQ(record.frames.size(), 4u);
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(record.frames[k], undisturbed.frames[k]);
  EXPECT_EQ(record.final_calls, std::vector<std::string>{whole_copy("in", 640, 480)});
  EXPECT_EQ(record.calls.back().elapsed_ms, setup.key_at_ms);
}

TEST_P(EveryEffect, KeepsPacingWhenTheTickCounterChangesSign) {
  const EffectTiming timing = GetParam();
  RunSetup setup;
  // The first frame's deadline lies past the largest signed tick.
  setup.start_tick = std::numeric_limits<std::int32_t>::max() - 5;
  const EffectRecord record = record_effect(timing.code, setup);
  EXPECT_EQ(record.failure, "");
  EXPECT_EQ(record.frames, record_effect(timing.code, RunSetup{}).frames);
  expect_paced(record, timing.frame_period);
  EXPECT_EQ(record.final_calls, std::vector<std::string>{whole_copy("in", 640, 480)});
}

INSTANTIATE_TEST_SUITE_P(Effects, EveryEffect, testing::ValuesIn(kTimings), timing_name);

TEST(EffectCodes, OutsideOneToTwentyNineDrawNothing) {
  for (const int code : {0, 30, -1, 1000}) {
    const EffectRecord record = record_effect(code, RunSetup{});
    EXPECT_TRUE(record.calls.empty()) << "code " << code;
  }
}

TEST(EffectArithmetic, IntegerOverflowIsARuntimeFailureWithoutAFinalFrame) {
  // Effect 13's offset passes half the width, so 2 x offset leaves the 32-bit
  // range in frame 11 on a surface this wide.
  RunSetup setup;
  setup.width = 2147483520;
  setup.height = 10;
  const EffectRecord record = record_effect(13, setup);
  EXPECT_EQ(record.failure, kOverflowDescription);
  EXPECT_EQ(record.frames.size(), 11u);
  EXPECT_TRUE(record.final_calls.empty());
}

struct ZeroStepCase {
  int code;
  int width;
  int height;
};

class ZeroStep : public testing::TestWithParam<ZeroStepCase> {};

// A zero step advances by one pixel: a loop that ends at 0 draws one frame and
// the transition ends by itself, without waiting for a key.
TEST_P(ZeroStep, EndsAfterTheFramesOfAOnePixelStep) {
  const ZeroStepCase param = GetParam();
  RunSetup setup;
  setup.width = param.width;
  setup.height = param.height;
  const EffectRecord record = record_effect(param.code, setup);
  EXPECT_EQ(record.failure, "");
  EXPECT_EQ(record.frames.size(), 1u);
  EXPECT_EQ(record.final_calls,
            std::vector<std::string>{whole_copy("in", param.width, param.height)});
}

INSTANTIATE_TEST_SUITE_P(Effects, ZeroStep,
                         testing::Values(ZeroStepCase{1, 0, 50}, ZeroStepCase{1, 1, 50},
                                         ZeroStepCase{2, 50, 0}, ZeroStepCase{2, 50, 1},
                                         ZeroStepCase{5, 0, 50}, ZeroStepCase{6, 1, 50},
                                         ZeroStepCase{7, 50, 0}, ZeroStepCase{8, 50, 1},
                                         ZeroStepCase{19, 0, 50}, ZeroStepCase{20, 50, 1},
                                         ZeroStepCase{21, 0, 50}, ZeroStepCase{22, 50, 1},
                                         ZeroStepCase{26, 0, 50}, ZeroStepCase{27, 50, 0},
                                         ZeroStepCase{28, 1, 50}, ZeroStepCase{29, 50, 1}));

}  // namespace
}  // namespace showsaver::effects_test
