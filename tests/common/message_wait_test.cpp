#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "common/message_wait.h"
#include "support/clock_only_desktop.h"

namespace showsaver {
namespace {

// A desktop whose clock jumps straight to whatever the wait asks for, with one
// optional key press at a given tick.
class ClockDesktop final : public test::ClockOnlyDesktop {
 public:
  explicit ClockDesktop(std::int32_t start) : now(start) {}

  std::int32_t now;
  std::optional<std::int32_t> key_at;
  std::int16_t* stop = nullptr;
  int passes = 0;

  void process_messages() override {
    ++passes;
    if (key_at && static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                            static_cast<std::uint32_t>(*key_at)) >= 0) {
      *stop = kStop;
    }
  }
  void wait_for_message_until(std::int32_t deadline) override {
    std::int32_t target = static_cast<std::int32_t>(static_cast<std::uint32_t>(deadline) + 1u);
    if (key_at && static_cast<std::int32_t>(static_cast<std::uint32_t>(*key_at) -
                                            static_cast<std::uint32_t>(target)) < 0) {
      target = *key_at;
    }
    now = target;
  }
  std::int32_t tick_count() override { return now; }

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
  ClockDesktop desktop(c.start);
  std::int16_t stop = 0;
  desktop.stop = &stop;
  EXPECT_FALSE(wait_with_messages(desktop, c.start, c.duration, stop));
  const std::int64_t elapsed =
      static_cast<std::uint32_t>(desktop.now) - static_cast<std::uint32_t>(c.start);
  EXPECT_EQ(elapsed, c.expected_elapsed);
  EXPECT_EQ(desktop.passes, c.expected_passes);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Durations, HoldWait,
    testing::Values(WaitCase{1000, 3000, 3001, 2}, WaitCase{1000, 0, 1, 2},
                    WaitCase{1000, -5000, 0, 1}, WaitCase{1000, kMin, 0, 1},
                    WaitCase{kMax - 20, 50, 51, 2}, WaitCase{-30, 50, 51, 2},
                    WaitCase{1000, kMax, 2147483648LL, 2}, WaitCase{kMax, kMax, 2147483648LL, 2}));

TEST(HoldWait, AStopEndsItAtOnce) {
  ClockDesktop desktop(kMax - 100);
  std::int16_t stop = 0;
  desktop.stop = &stop;
  desktop.key_at = kMin + 50;  // after the sign change
  EXPECT_TRUE(wait_with_messages(desktop, kMax - 100, 1000, stop));
  EXPECT_EQ(desktop.now, kMin + 50);

  ClockDesktop already(0);
  std::int16_t stopped = kStop;
  already.stop = &stopped;
  EXPECT_TRUE(wait_with_messages(already, 0, 1000, stopped));
  EXPECT_EQ(already.passes, 1);
}

}  // namespace
}  // namespace showsaver
