// The desktops' wait until a deadline or an event, on a counter that wraps,
// against a platform wait that may end early, late or on an event.
#include "platform/deadline_wait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace showsaver {
namespace {

TEST(DeadlineWaitTest, TimeLeftUntilTheCounterHasPassedTheDeadline) {
  struct Case {
    const char* what;
    std::int32_t now;
    std::int32_t deadline;
    std::optional<int> left;
  };
  const Case cases[] = {
      {"ahead", 100, 110, 11},
      {"at the deadline: one more millisecond", 110, 110, 1},
      {"passed", 111, 110, std::nullopt},
      {"through zero", -3, 2, 6},
      {"across the change of sign", INT32_MAX - 2, INT32_MIN + 2, 6},
      {"passed across the change of sign", INT32_MIN + 2, INT32_MAX - 2, std::nullopt},
      // Half the counter's range ahead still counts as ahead; the wait is
      // capped at the longest timeout a platform takes.
      {"as far as the counter goes", 0, INT32_MIN, INT_MAX},
      {"far ahead", 0, INT32_MAX, INT_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(wait_time_left(c.now, c.deadline), c.left) << c.what;
}

// How a platform's wait behaves, on a counter that moves only while it blocks.
struct Platform {
  // The tick at which an event arrives, if one does.
  std::optional<std::int32_t> event_at;
  // Milliseconds a wait blocks at most before it wakes with nothing (early),
  // and how much longer than asked it sleeps (late).
  int longest_block = INT_MAX;
  int oversleep = 0;
};

class FakeSource {
 public:
  FakeSource(Platform platform, std::int32_t start) : platform_(platform), now_(start) {}

  std::int32_t now() const { return now_; }
  // The counter at each wait, and the timeout it was given.
  const std::vector<std::pair<std::int32_t, int>>& waits() const { return waits_; }

  bool wait(int timeout) {
    waits_.emplace_back(now_, timeout);
    const std::optional<std::int32_t> event = platform_.event_at;
    if (event && *event == now_) return true;
    std::int64_t block =
        std::min(timeout, platform_.longest_block) + std::int64_t{platform_.oversleep};
    if (event) block = std::min<std::int64_t>(block, ticks_between(now_, *event));
    now_ = tick_add(now_, block);
    return false;
  }

 private:
  Platform platform_;
  std::int32_t now_;
  std::vector<std::pair<std::int32_t, int>> waits_;
};

TEST(DeadlineWaitTest, BlocksUntilTheDeadlineHasPassedOrAnEventComes) {
  struct Case {
    const char* what;
    std::int32_t start;
    std::int32_t deadline;
    Platform platform;
    std::int32_t end;    // the counter when the wait returns
    std::size_t blocks;  // calls of the platform's wait
  };
  const Case cases[] = {
      {"passed already", 50, 40, {std::nullopt, INT_MAX, 0}, 50, 0},
      {"no event", 0, 100, {std::nullopt, INT_MAX, 0}, 101, 1},
      {"an event first", 0, 100, {30, INT_MAX, 0}, 30, 2},
      {"an event there already", 0, 100, {0, INT_MAX, 0}, 0, 1},
      {"waking early", 0, 100, {std::nullopt, 40, 0}, 101, 3},
      {"waking late", 0, 100, {std::nullopt, INT_MAX, 7}, 108, 1},
      {"across the wrap",
       INT32_MAX - 5,
       INT32_MIN + 4,
       {std::nullopt, INT_MAX, 0},
       INT32_MIN + 5,
       1},
  };
  for (const Case& c : cases) {
    FakeSource source(c.platform, c.start);
    wait_until_deadline(
        c.deadline, [&] { return source.now(); },
        [&](int timeout) { return source.wait(timeout); });
    EXPECT_EQ(source.now(), c.end) << c.what;
    EXPECT_EQ(source.waits().size(), c.blocks) << c.what;
    // The counter is read again before every wait, which is given the time left.
    for (const auto& [tick, timeout] : source.waits()) {
      EXPECT_EQ(timeout, wait_time_left(tick, c.deadline)) << c.what << " at " << tick;
    }
  }
}

}  // namespace
}  // namespace showsaver
