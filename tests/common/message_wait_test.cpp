#include "common/message_wait.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/scripted/scripted_desktop.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver {
namespace {

// The scripted desktop, its clock jumping straight to whatever a wait asks
// for, with key presses that set the stop flag.
struct WaitStage final : InputSink {
  explicit WaitStage(std::int32_t start) : clock(start) { desktop.create_show_window({}, *this); }
  // A key press when the tick counter reaches `tick`.
  void press_key_at(std::int32_t tick) {
    const std::uint32_t after_start =
        static_cast<std::uint32_t>(tick) - static_cast<std::uint32_t>(clock.start());
    desktop.add_input({after_start, InputKind::Key, {}});
  }
  void key_down() override { stop = kStop; }
  void mouse_down() override {}
  void mouse_move() override {}

  SoftGdi gdi;
  VirtualClock clock;
  EventLog log;
  ScriptedDesktop desktop{gdi, clock, log};
  std::int16_t stop = 0;
};

struct WaitCase {
  std::int32_t start;
  std::int32_t duration;
  std::int64_t expected_elapsed;
  int expected_passes;
};

class HoldWait : public testing::TestWithParam<WaitCase> {};

TEST_P(HoldWait, EndsAtTheFirstTickPastTheDuration) {
  const WaitCase c = GetParam();
  WaitStage scripted(c.start);
  EXPECT_FALSE(wait_with_messages(scripted.desktop, c.start, c.duration, scripted.stop));
  EXPECT_EQ(scripted.clock.elapsed(), c.expected_elapsed);
  EXPECT_EQ(scripted.desktop.messages_processed(), c.expected_passes);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(Durations, HoldWait,
                         testing::Values(WaitCase{1000, 3000, 3001, 2}, WaitCase{1000, 0, 1, 2},
                                         WaitCase{1000, -5000, 0, 1}, WaitCase{1000, kMin, 0, 1},
                                         WaitCase{kMax - 20, 50, 51, 2}, WaitCase{-30, 50, 51, 2},
                                         WaitCase{1000, kMax, 2147483648LL, 2},
                                         WaitCase{kMax, kMax, 2147483648LL, 2}));

TEST(HoldWait, AStopEndsItAtOnce) {
  WaitStage scripted(kMax - 100);
  scripted.press_key_at(kMin + 50);  // after the sign change
  EXPECT_TRUE(wait_with_messages(scripted.desktop, kMax - 100, 1000, scripted.stop));
  EXPECT_EQ(scripted.clock.now(), kMin + 50);

  WaitStage already(0);
  already.stop = kStop;
  EXPECT_TRUE(wait_with_messages(already.desktop, 0, 1000, already.stop));
  EXPECT_EQ(already.desktop.messages_processed(), 1);
}

}  // namespace
}  // namespace showsaver
