// The desktop of the display mode: the show drawn into a window that a
// screen locker owns (or the root window), with plain Xlib.  The locker owns
// input and the screen: this desktop reads no input, grabs nothing, leaves
// the cursor and the system's screen saver alone, and shows no dialog (see
// logged_dialogs.h).  The show ends when the program is asked to end or the
// window goes away.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/end_request.h"
#include "platform/gdi.h"
#include "platform/message_loop.h"
#include "platform/shown_picture.h"
#include "platform/window_system.h"

namespace showsaver {

class X11Surface;

class X11WindowDesktop final : public WindowSystem, public MessageLoop {
 public:
  // Draws into `window` (0: the root window) on the display of $DISPLAY.
  // Once `end_request_fd` (or -1) is readable, every message wait returns at
  // once and every message processing reports a key press to the show.
  X11WindowDesktop(std::uint64_t window, const Gdi& gdi, int end_request_fd);
  ~X11WindowDesktop() override;
  X11WindowDesktop(const X11WindowDesktop&) = delete;
  X11WindowDesktop& operator=(const X11WindowDesktop&) = delete;

  // False (with the reason in error()) when the display or the window is missing.
  bool connected() const { return surface_ != nullptr; }
  const std::string& error() const { return error_; }

  // WindowSystem.
  // The window's size: the show is centred in the window, not on the screen.
  Size screen_size() override;
  void create_show_window(Rect picture_area, InputSink& sink) override;
  void show_window() override;
  void make_topmost() override {}
  WindowHandle show_window_handle() override;
  void destroy_show_window() override;
  void refresh_picture_area(DcHandle source) override;
  // Counted only: the cursor is the locker's.
  int show_cursor(bool show) override;
  Point cursor_position() override { return {}; }
  // The locker is the system's screen saver; there is nothing to tell it.
  void set_screen_saver_running(bool) override {}

  // MessageLoop.
  void process_messages() override;
  void wait_for_message_until(std::int32_t deadline) override;
  std::int32_t tick_count() override;

 private:
  // Blocks until the display sends something, the end is requested, or
  // `timeout` ms passed.
  void block_for_event(int timeout);
  // Puts the frame centred in the window, or drops it when there is none.
  void place_frame();

  // The surface last refreshed, placed again when the window changes size.
  ShownPicture picture_;
  int end_request_fd_;
  // The end request, and the window's going away, which lasts the same way.
  EndRequest end_;
  // Set while surface_ is made, so it comes first.
  std::string error_;
  std::unique_ptr<X11Surface> surface_;
  InputSink* sink_ = nullptr;
  Rect picture_area_;
  bool window_gone_ = false;
  int cursor_count_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace showsaver
