// A desktop for tests that use only its clock and message processing: every
// window, cursor and dialog call does nothing.
#pragma once

#include "platform/desktop.h"

namespace showsaver::test {

class ClockOnlyDesktop : public Desktop {
 public:
  ScreenSize screen_size() override { return {}; }
  void create_show_window(Rect, InputSink&) override {}
  void show_window() override {}
  void make_topmost() override {}
  WindowHandle show_window_handle() override { return 0; }
  void destroy_show_window() override {}
  void refresh_picture_area(DcHandle) override {}
  int show_cursor(bool) override { return 0; }
  Point cursor_position() override { return {}; }
  void message_box(const std::string&, const std::string&, unsigned) override {}
  void show_settings_dialog(SettingsDialog&) override {}
  void set_screen_saver_running(bool) override {}
};

}  // namespace showsaver::test
