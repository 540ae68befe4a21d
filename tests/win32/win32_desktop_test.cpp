#include "platform/win32/win32_desktop.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/picture_placement.h"
#include "platform/picture_scaling.h"
#include "platform/tick.h"
#include "platform/win32/dib_canvas.h"
#include "player/background_music.h"

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
    int CountingSink::*counter;  // null: no input at all
  } cases[] = {
      {"key", WM_KEYDOWN, 'A', &CountingSink::keys},
      {"Shift alone", WM_KEYDOWN, VK_SHIFT, &CountingSink::keys},
      {"Alt+F4 ends the show, not the window", WM_SYSKEYDOWN, VK_F4, &CountingSink::keys},
      {"left button", WM_LBUTTONDOWN, MK_LBUTTON, &CountingSink::clicks},
      {"right button", WM_RBUTTONDOWN, MK_RBUTTON, &CountingSink::clicks},
      {"middle button", WM_MBUTTONDOWN, MK_MBUTTON, &CountingSink::clicks},
      {"side button", WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), &CountingSink::clicks},
      {"move", WM_MOUSEMOVE, 0, &CountingSink::moves},
      {"another program takes the foreground", WM_ACTIVATEAPP, FALSE, &CountingSink::keys},
      {"the show takes the foreground", WM_ACTIVATEAPP, TRUE, nullptr},
      {"the display's state", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, nullptr},
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
    if (c.counter != nullptr) {
      EXPECT_EQ(sink.*c.counter, before.*c.counter + 1) << c.name;
    }
    EXPECT_EQ(sink.keys + sink.clicks + sink.moves,
              before.keys + before.clicks + before.moves + (c.counter != nullptr ? 1 : 0))
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

RECT window_rect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The window covers every monitor, and covers them again when they change.
TEST(Win32Desktop, CoversTheVirtualScreenAndLaysItselfOutAgainWhenTheDisplaysChange) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const RECT virtual_screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  Win32Desktop desktop;
  CountingSink sink;
  desktop.create_show_window(Rect{10, 20, 30, 40}, sink);
  const auto window = reinterpret_cast<HWND>(desktop.show_window_handle());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window_rect(window) == virtual_screen);
  for (const UINT message : {WM_DISPLAYCHANGE, WM_DPICHANGED}) {
    SCOPED_TRACE(message);
    ASSERT_NE(SetWindowPos(window, nullptr, 5, 5, 50, 50, SWP_NOZORDER | SWP_NOACTIVATE), FALSE);
    SendMessageW(window, message, 32, MAKELPARAM(640, 480));
    EXPECT_TRUE(window_rect(window) == virtual_screen);
  }
  EXPECT_EQ(sink.keys + sink.clicks + sink.moves, 0);
  desktop.destroy_show_window();
}

struct RecordingMedia final : Media {
  std::vector<std::string> commands;
  int sounds_stopped = 0;
  unsigned send_media_command(const std::string& command, std::string& reply, unsigned) override {
    commands.push_back(command);
    reply.clear();
    return 0;
  }
  bool play_sound(const std::string* path, unsigned) override {
    if (path == nullptr) ++sounds_stopped;
    return true;
  }
};

// The display's state as Windows reports it for GUID_CONSOLE_DISPLAY_STATE.
LRESULT send_display_state(HWND window, const GUID& setting, DWORD state) {
  POWERBROADCAST_SETTING broadcast{};
  broadcast.PowerSetting = setting;
  broadcast.DataLength = sizeof state;
  static_assert(sizeof broadcast.Data >= 1);
  alignas(POWERBROADCAST_SETTING) unsigned char bytes[sizeof broadcast + sizeof state];
  std::memcpy(bytes, &broadcast, sizeof broadcast);
  std::memcpy(bytes + offsetof(POWERBROADCAST_SETTING, Data), &state, sizeof state);
  return SendMessageW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                      reinterpret_cast<LPARAM>(bytes));
}

// The show must not keep the computer awake: its music and sounds stop when
// the display turns off or the computer goes to sleep, and the music comes
// back with the display while the show runs.
TEST(Win32Desktop, PowerMessagesSilenceTheMusicAndBringItBack) {
  const std::string open = "open \"C:\\temp1\\loop.mid\" alias bgm";
  const std::vector<std::string> close = {"close bgm"};
  const std::vector<std::string> reopen = {open, "play bgm"};
  constexpr DWORD kOff = 0;
  constexpr DWORD kOn = 1;
  constexpr DWORD kDimmed = 2;
  const GUID other_setting = GUID_ACDC_POWER_SOURCE;
  const struct {
    const char* name;
    WPARAM event;
    const GUID* setting;  // for PBT_POWERSETTINGCHANGE
    DWORD state;
    std::vector<std::string> commands;
    int sounds_stopped;
  } cases[] = {
      {"display off", PBT_POWERSETTINGCHANGE, &GUID_CONSOLE_DISPLAY_STATE, kOff, close, 1},
      {"display off again", PBT_POWERSETTINGCHANGE, &GUID_CONSOLE_DISPLAY_STATE, kOff, {}, 0},
      {"display on", PBT_POWERSETTINGCHANGE, &GUID_CONSOLE_DISPLAY_STATE, kOn, reopen, 0},
      {"display dimmed", PBT_POWERSETTINGCHANGE, &GUID_CONSOLE_DISPLAY_STATE, kDimmed, {}, 0},
      {"another setting", PBT_POWERSETTINGCHANGE, &other_setting, kOff, {}, 0},
      {"sleep", PBT_APMSUSPEND, nullptr, 0, close, 1},
      {"waking on its own", PBT_APMRESUMEAUTOMATIC, nullptr, 0, {}, 0},
      {"woken by the user", PBT_APMRESUMESUSPEND, nullptr, 0, reopen, 0},
      {"sleep once more", PBT_APMSUSPEND, nullptr, 0, close, 1},
      {"display on after sleep", PBT_POWERSETTINGCHANGE, &GUID_CONSOLE_DISPLAY_STATE, kOn, reopen,
       0},
  };
  ShowPackage package;
  package.BgmFileName = "loop.mid";
  const ShowContext show{package, "C:\\temp1\\", -1, -1};
  RecordingMedia media;
  BackgroundMusic music(media, show);
  Win32Desktop desktop;
  CountingSink sink;
  desktop.create_show_window(Rect{10, 20, 30, 40}, sink);
  desktop.watch_power(music);
  const auto window = reinterpret_cast<HWND>(desktop.show_window_handle());
  ASSERT_NE(window, nullptr);
  music.start();
  desktop.process_messages();
  ASSERT_EQ(media.commands, reopen);
  for (const auto& c : cases) {
    media.commands.clear();
    media.sounds_stopped = 0;
    const LRESULT answer = c.setting != nullptr
                               ? send_display_state(window, *c.setting, c.state)
                               : SendMessageW(window, WM_POWERBROADCAST, c.event, 0);
    EXPECT_EQ(answer, TRUE) << c.name << ": the show never holds up sleep";
    EXPECT_EQ(media.commands, c.commands) << c.name;
    EXPECT_EQ(media.sounds_stopped, c.sounds_stopped) << c.name;
  }
  EXPECT_EQ(sink.keys + sink.clicks + sink.moves, 0) << "power events do not end the show";

  // Once the show has ended and closed its music, the display coming back
  // brings nothing back.
  music.close();
  media.commands.clear();
  send_display_state(window, GUID_CONSOLE_DISPLAY_STATE, kOff);
  send_display_state(window, GUID_CONSOLE_DISPLAY_STATE, kOn);
  EXPECT_TRUE(media.commands.empty());

  // The display may always be turned off, and only the show window answers
  // power messages: none reaches the music after the window has gone.
  EXPECT_FALSE(desktop.handle_message(WM_SYSCOMMAND, SC_MONITORPOWER, 2).has_value());
  desktop.destroy_show_window();
  music.start();
  media.commands.clear();
  EXPECT_EQ(desktop.handle_message(WM_POWERBROADCAST, PBT_APMSUSPEND, 0), TRUE);
  EXPECT_TRUE(media.commands.empty());
}

DWORD WINAPI close_message_box(void* title) {
  for (int attempt = 0; attempt < 500; ++attempt) {
    if (const HWND box = FindWindowW(L"#32770", static_cast<const wchar_t*>(title))) {
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(20);
  }
  return 1;
}

// Shows `window` and makes it the foreground window.  Wine without a window
// manager waits two seconds in vain for one whenever a window that was
// activated as it was shown goes away; one shown first and activated after
// goes at once.
BOOL show_in_the_foreground(HWND window) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return SetForegroundWindow(window);
}

// A window of another thread takes the foreground, and goes.
DWORD WINAPI take_the_foreground(void*) {
  const HWND window = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP, 0, 0, 20, 20,
                                      nullptr, nullptr, nullptr, nullptr);
  if (window == nullptr) return 1;
  const BOOL taken = show_in_the_foreground(window);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) DispatchMessageW(&message);
  DestroyWindow(window);
  return taken != FALSE ? 0 : 2;
}

// Waits for `thread` while the show's messages are processed, as the show
// does: a thread that sends the show window a message waits for its answer.
DWORD finish(HANDLE thread, Win32Desktop& desktop) {
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10'000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    desktop.process_messages();
  }
  DWORD code = 99;
  GetExitCodeThread(thread, &code);
  CloseHandle(thread);
  return code;
}

TEST(Win32Desktop, TheShowsOwnMessageBoxKeepsItAnotherWindowInTheForegroundEndsIt) {
  Win32Desktop desktop;
  CountingSink sink;
  desktop.create_show_window(Rect{10, 20, 30, 40}, sink);
  const auto window = reinterpret_cast<HWND>(desktop.show_window_handle());
  ASSERT_NE(show_in_the_foreground(window), FALSE);
  desktop.process_messages();
  ASSERT_EQ(GetForegroundWindow(), window);

  wchar_t title[] = L"the show's own box";
  const HANDLE closer = CreateThread(nullptr, 0, close_message_box, title, 0, nullptr);
  ASSERT_NE(closer, nullptr);
  desktop.message_box("text", "the show's own box", mb::OK_INFORMATION, 0);
  EXPECT_EQ(finish(closer, desktop), 0u) << "no message box came up";
  desktop.process_messages();
  EXPECT_EQ(sink.keys, 0);

  const HANDLE other = CreateThread(nullptr, 0, take_the_foreground, nullptr, 0, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(finish(other, desktop), 0u);
  desktop.process_messages();
  EXPECT_GE(sink.keys, 1);
  desktop.destroy_show_window();
}

// A window of 152 x 112 on a thread of its own, which destroys it, or ends
// and takes it along, when told to go.
struct HostThread {
  HWND window = nullptr;
  HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool destroy = true;  // else the thread just ends
  HANDLE thread = nullptr;

  explicit HostThread(bool destroy_window) : destroy(destroy_window) {
    thread = CreateThread(nullptr, 0, &HostThread::run, this, 0, nullptr);
    WaitForSingleObject(made, INFINITE);
  }
  void go_away() const { SetEvent(go); }
  ~HostThread() {
    go_away();
    WaitForSingleObject(thread, INFINITE);
    for (const HANDLE handle : {thread, made, go}) CloseHandle(handle);
  }
  static DWORD WINAPI run(void* context) {
    auto* host = static_cast<HostThread*>(context);
    host->window = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 152,
                                   112, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(host->window, SW_SHOWNOACTIVATE);
    SetEvent(host->made);
    // Answers the messages the preview's window sends it until told to go.
    while (MsgWaitForMultipleObjects(1, &host->go, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) DispatchMessageW(&message);
    }
    if (host->destroy) DestroyWindow(host->window);
    return 0;
  }
};

// A preview is its host's child and stops the show on every pass once the
// host is gone: destroyed (the preview's window with it), or gone
// with its thread, which the preview finds by itself within a few timer
// periods.
TEST(Win32Desktop, APreviewEndsOnceItsHostIsGone) {
  for (const bool destroyed : {true, false}) {
    SCOPED_TRACE(destroyed ? "destroyed" : "its thread ended");
    auto host = std::make_unique<HostThread>(destroyed);
    const auto host_handle = reinterpret_cast<WindowHandle>(host->window);
    Win32Desktop desktop;
    ASSERT_TRUE(desktop.window_exists(host_handle));
    EXPECT_FALSE(desktop.window_exists(0));
    CountingSink sink;
    desktop.create_preview_window(host_handle, Size{160, 120}, sink);
    const auto window = reinterpret_cast<HWND>(desktop.show_window_handle());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetAncestor(window, GA_PARENT), host->window);
    desktop.show_window();
    desktop.process_messages();
    EXPECT_EQ(sink.keys, 0);

    // Destroying the host sends the preview's window its WM_DESTROY: the
    // messages are processed while the host goes.
    host->go_away();
    const std::int32_t deadline = tick_add(desktop.tick_count(), 10'000);
    while (sink.keys == 0 && tick_not_after(desktop.tick_count(), deadline)) {
      desktop.process_messages();
      desktop.wait_for_message_until(deadline);
    }
    host.reset();
    EXPECT_FALSE(desktop.window_exists(host_handle));
    for (int pass = 1; pass <= 3; ++pass) {
      const int before = sink.keys;
      desktop.process_messages();
      EXPECT_GT(sink.keys, before);
    }
    desktop.destroy_show_window();
  }
}

// The picture is fitted to the host's client area by the shared scaler, with
// black beside it, on the real GDI.
TEST(Win32Desktop, APreviewShowsThePictureFittedToItsHostWithBlackBeside) {
  const Size picture{160, 120};
  const Size client{152, 112};
  DibCanvas source;
  ASSERT_TRUE(source.resize(picture));
  const PixelTarget pixels = source.target();
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      pixels.pixels[static_cast<std::size_t>(y) * pixels.stride + x] =
          static_cast<std::uint32_t>(x * 0x010305 + y * 0x070100) & 0xFFFFFFu;
    }
  }
  const HostThread host(true);
  Win32Desktop desktop;
  CountingSink sink;
  desktop.create_preview_window(reinterpret_cast<WindowHandle>(host.window), picture, sink);
  desktop.show_window();
  desktop.refresh_picture_area(DcHandle{reinterpret_cast<std::uintptr_t>(source.dc())});

  DibCanvas shown;
  ASSERT_TRUE(shown.resize(client));
  const HDC host_dc = GetDC(host.window);
  BitBlt(shown.dc(), 0, 0, client.width, client.height, host_dc, 0, 0, SRCCOPY);
  ReleaseDC(host.window, host_dc);
  GdiFlush();
  const Rect area = fitted_area(picture, client);
  const PixelImage scaled = scaled_picture(source.view(), {area.width, area.height});
  int differing = 0;
  for (int y = 0; y < client.height; ++y) {
    for (int x = 0; x < client.width; ++x) {
      const bool inside = x >= area.left && x < area.left + area.width && y >= area.top &&
                          y < area.top + area.height;
      const std::uint32_t expected =
          inside
              ? scaled.pixels[static_cast<std::size_t>(y - area.top) * area.width + x - area.left]
              : 0;
      const PixelView view = shown.view();
      if ((view.pixels[static_cast<std::size_t>(y) * view.stride + x] & 0xFFFFFFu) != expected &&
          differing++ < 3) {
        ADD_FAILURE() << "at " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(differing, 0);
  desktop.destroy_show_window();
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
