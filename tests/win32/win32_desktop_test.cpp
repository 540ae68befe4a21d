#include "platform/win32/win32_desktop.h"

#include <gtest/gtest.h>

#include "platform/tick.h"

// clang-format off
// Last: <windows.h> defines macros that clash with the seam's constants.
#include <windows.h>
// clang-format on

namespace showsaver {
namespace {

struct CountingSink final : InputSink {
  int keys = 0;
  int clicks = 0;
  int moves = 0;
  void key_down() override { ++keys; }
  void mouse_down() override { ++clicks; }
  void mouse_move() override { ++moves; }
};

TEST(Win32Desktop, TurnsTheShowWindowsInputIntoStops) {
  const struct {
    const char* name;
    UINT message;
    WPARAM wparam;
    int CountingSink::*counter;
  } cases[] = {
      {"key", WM_KEYDOWN, 'A', &CountingSink::keys},
      {"Shift alone", WM_KEYDOWN, VK_SHIFT, &CountingSink::keys},
      {"Alt+F4 ends the show, not the window", WM_SYSKEYDOWN, VK_F4, &CountingSink::keys},
      {"left button", WM_LBUTTONDOWN, MK_LBUTTON, &CountingSink::clicks},
      {"right button", WM_RBUTTONDOWN, MK_RBUTTON, &CountingSink::clicks},
      {"middle button", WM_MBUTTONDOWN, MK_MBUTTON, &CountingSink::clicks},
      {"side button", WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), &CountingSink::clicks},
      {"move", WM_MOUSEMOVE, 0, &CountingSink::moves},
  };
  Win32Desktop desktop;
  CountingSink sink;
  desktop.create_show_window(Rect{10, 20, 30, 40}, sink);
  const auto window = reinterpret_cast<HWND>(desktop.show_window_handle());
  ASSERT_NE(window, nullptr);
  for (const auto& c : cases) {
    const CountingSink before = sink;
    ASSERT_NE(PostMessageW(window, c.message, c.wparam, 0), FALSE) << c.name;
    desktop.process_messages();
    EXPECT_EQ(sink.*c.counter, before.*c.counter + 1) << c.name;
    EXPECT_EQ(sink.keys + sink.clicks + sink.moves, before.keys + before.clicks + before.moves + 1)
        << c.name;
    EXPECT_NE(IsWindow(window), FALSE) << c.name;
  }
  desktop.destroy_show_window();
  EXPECT_EQ(IsWindow(window), FALSE);
  EXPECT_EQ(desktop.show_window_handle(), 0u);
}

// A request to end from outside stands until the window goes: the show
// forgets input that came before it began, and must not forget this.
TEST(Win32Desktop, ClosingOrTheSessionsEndStopsTheShowOnEveryPass) {
  for (const UINT message : {WM_CLOSE, WM_ENDSESSION}) {
    SCOPED_TRACE(message);
    Win32Desktop desktop;
    CountingSink sink;
    int session_end_work = 0;
    desktop.set_session_end_work([&] { ++session_end_work; });
    desktop.create_show_window(Rect{10, 20, 30, 40}, sink);
    const auto window = reinterpret_cast<HWND>(desktop.show_window_handle());
    ASSERT_NE(window, nullptr);
    EXPECT_NE(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), 0) << "the show never objects";
    EXPECT_EQ(SendMessageW(window, WM_ENDSESSION, FALSE, 0), 0) << "the session goes on";
    desktop.process_messages();
    EXPECT_EQ(sink.keys, 0);
    SendMessageW(window, message, TRUE, 0);
    EXPECT_EQ(session_end_work, message == WM_ENDSESSION ? 1 : 0) << "done before it answers";
    for (int pass = 1; pass <= 3; ++pass) {
      desktop.process_messages();
      EXPECT_GE(sink.keys, pass);
    }
    EXPECT_EQ(sink.clicks + sink.moves, 0);
    EXPECT_NE(IsWindow(window), FALSE);
    desktop.destroy_show_window();
    const int keys = sink.keys;
    desktop.create_show_window(Rect{10, 20, 30, 40}, sink);
    desktop.process_messages();
    EXPECT_EQ(sink.keys, keys) << "a new show window starts afresh";
    desktop.destroy_show_window();
  }
}

TEST(Win32Desktop, WaitsUntilAMessageComesOrTheDeadlineHasPassed) {
  Win32Desktop desktop;
  desktop.process_messages();
  // A deadline that has passed: no wait at all.
  desktop.wait_for_message_until(tick_add(desktop.tick_count(), -1));
  // A short one: waited out in a few passes, as the frame wait does (a
  // message the system posts meanwhile may end one pass early), not spun.
  const std::int32_t soon = tick_add(desktop.tick_count(), 30);
  for (int passes = 0; tick_not_after(desktop.tick_count(), soon); ++passes) {
    ASSERT_LT(passes, 100) << "the wait returns early without a message";
    desktop.process_messages();
    desktop.wait_for_message_until(soon);
  }
  // An hour away: a pending message ends it, even one a peek has seen already.
  const std::int32_t later = tick_add(desktop.tick_count(), 3'600'000);
  ASSERT_NE(PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0), FALSE);
  desktop.wait_for_message_until(later);
  MSG message;
  EXPECT_NE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE), FALSE);
  desktop.wait_for_message_until(later);
  EXPECT_NE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_REMOVE), FALSE);
}

}  // namespace
}  // namespace showsaver
