#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/sdl/sdl_desktop.h"
#include "platform/soft/soft_gdi.h"
#include "platform/tick.h"
#include "sdl_fixture.h"

namespace showsaver::test {
namespace {

class SdlInputTest : public SdlDummyVideo {
 protected:
  SoftGdi gdi_;
  CountingSink sink_;
};

SDL_Event of_type(Uint32 type) {
  SDL_Event event{};
  event.type = type;
  return event;
}

SDL_Event window_event(SDL_WindowEventID id) {
  SDL_Event event = of_type(SDL_WINDOWEVENT);
  event.window.event = id;
  return event;
}

struct InputCase {
  const char* name;
  SDL_Event event;
  int keys;
  int buttons;
  int moves;
};

class SdlInputRoutingTest : public SdlInputTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(SdlInputRoutingTest, EventReachesTheSinkFromProcessMessages) {
  const InputCase& input = GetParam();
  SdlDesktop desktop(gdi_);
  desktop.create_show_window({0, 0, 8, 8}, sink_);
  desktop.show_window();
  desktop.process_messages();
  sink_ = {};
  SDL_Event event = input.event;
  event.window.windowID = SDL_GetWindowID(desktop.window());
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  EXPECT_EQ(sink_.keys + sink_.buttons + sink_.moves, 0) << "nothing before messages are processed";
  desktop.process_messages();
  EXPECT_EQ(sink_.keys, input.keys);
  EXPECT_EQ(sink_.buttons, input.buttons);
  EXPECT_EQ(sink_.moves, input.moves);
}

SDL_Event mouse_button() {
  SDL_Event event = of_type(SDL_MOUSEBUTTONDOWN);
  event.button.button = SDL_BUTTON_RIGHT;
  event.button.state = SDL_PRESSED;
  return event;
}

INSTANTIATE_TEST_SUITE_P(
    Events, SdlInputRoutingTest,
    ::testing::Values(InputCase{"Letter", key_event(SDLK_a, KMOD_NONE), 1, 0, 0},
                      InputCase{"ShiftAlone", key_event(SDLK_LSHIFT, KMOD_LSHIFT), 1, 0, 0},
                      InputCase{"CtrlAlone", key_event(SDLK_RCTRL, KMOD_RCTRL), 1, 0, 0},
                      InputCase{"MouseButton", mouse_button(), 0, 1, 0},
                      InputCase{"MouseMove", of_type(SDL_MOUSEMOTION), 0, 0, 1},
                      InputCase{"Quit", of_type(SDL_QUIT), 1, 0, 0},
                      InputCase{"CloseBox", window_event(SDL_WINDOWEVENT_CLOSE), 1, 0, 0},
                      InputCase{"KeyUp", of_type(SDL_KEYUP), 0, 0, 0},
                      InputCase{"MouseUp", of_type(SDL_MOUSEBUTTONUP), 0, 0, 0},
                      InputCase{"Expose", window_event(SDL_WINDOWEVENT_EXPOSED), 0, 0, 0}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(SdlInputTest, InputAfterTheWindowIsDestroyedGoesNowhere) {
  SdlDesktop desktop(gdi_);
  desktop.create_show_window({0, 0, 8, 8}, sink_);
  desktop.destroy_show_window();
  SDL_Event key = key_event(SDLK_a, KMOD_NONE);
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  desktop.process_messages();
  EXPECT_EQ(sink_.keys, 0);
}

TEST_F(SdlInputTest, WaitReturnsForAPendingMessageAndLeavesItForProcessing) {
  SdlDesktop desktop(gdi_);
  desktop.create_show_window({0, 0, 8, 8}, sink_);
  desktop.process_messages();
  SDL_Event key = key_event(SDLK_SPACE, KMOD_NONE);
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  const std::int32_t deadline = tick_add(desktop.tick_count(), 60'000);
  desktop.wait_for_message_until(deadline);
  EXPECT_TRUE(tick_not_after(desktop.tick_count(), deadline)) << "left for the message";
  EXPECT_EQ(sink_.keys, 0);
  desktop.process_messages();
  EXPECT_EQ(sink_.keys, 1) << "the message the wait saw is not lost";
}

TEST_F(SdlInputTest, WaitWithoutMessagesLastsUntilTheTickHasPassedTheDeadline) {
  SdlDesktop desktop(gdi_);
  desktop.process_messages();
  const std::int32_t deadline = tick_add(desktop.tick_count(), 15);
  desktop.wait_for_message_until(deadline);
  EXPECT_FALSE(tick_not_after(desktop.tick_count(), deadline));
}

// A request to end (a termination signal's pipe) wakes the wait and stops
// the show from every message processing on, as a key would.
TEST_F(SdlInputTest, ARequestToEndWakesTheWaitAndActsAsAKey) {
  int request[2];
  ASSERT_EQ(::pipe(request), 0);
  SdlDialogs dialogs;
  SdlDesktop desktop(gdi_, dialogs, request[0]);
  desktop.create_show_window({0, 0, 8, 8}, sink_);
  desktop.process_messages();
  sink_ = {};
  ASSERT_EQ(::write(request[1], "x", 1), 1);
  const std::int32_t deadline = tick_add(desktop.tick_count(), 60'000);
  desktop.wait_for_message_until(deadline);
  EXPECT_TRUE(tick_not_after(desktop.tick_count(), deadline));
  desktop.process_messages();
  desktop.process_messages();
  EXPECT_EQ(sink_.keys, 2) << "the request lasts";
  ::close(request[0]);
  ::close(request[1]);
}

// Closing the window right as it appears, before the show arms its stop
// detection, must still end the show.
TEST_F(SdlInputTest, TheWindowManagersCloseRequestLasts) {
  SdlDesktop desktop(gdi_);
  desktop.create_show_window({0, 0, 8, 8}, sink_);
  SDL_Event close = window_event(SDL_WINDOWEVENT_CLOSE);
  close.window.windowID = SDL_GetWindowID(desktop.window());
  ASSERT_EQ(SDL_PushEvent(&close), 1);
  desktop.process_messages();
  const std::int32_t deadline = tick_add(desktop.tick_count(), 60'000);
  desktop.wait_for_message_until(deadline);
  EXPECT_TRUE(tick_not_after(desktop.tick_count(), deadline)) << "no wait after the request";
  desktop.process_messages();
  EXPECT_EQ(sink_.keys, 2);
}

TEST_F(SdlInputTest, ShowCursorKeepsTheDisplayCount) {
  SdlDesktop desktop(gdi_);
  struct Step {
    bool show;
    int count;
  };
  for (const Step step : {Step{false, -1}, Step{false, -2}, Step{true, -1}, Step{true, 0},
                          Step{true, 1}, Step{false, 0}, Step{false, -1}}) {
    EXPECT_EQ(desktop.show_cursor(step.show), step.count);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), step.count >= 0 ? SDL_ENABLE : SDL_DISABLE)
        << "after the count became " << step.count;
  }
}

TEST_F(SdlInputTest, TickCountIsSdlsMillisecondCounter) {
  SdlDesktop desktop(gdi_);
  const Uint32 before = SDL_GetTicks();
  const std::uint32_t tick = static_cast<std::uint32_t>(desktop.tick_count());
  EXPECT_LE(tick - before, SDL_GetTicks() - before);
}

}  // namespace
}  // namespace showsaver::test
