// The desktop on SDL2: the full-screen show window, input, the cursor,
// message boxes and the settings dialog, with Win32's semantics.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/desktop.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver {

// SDL must have been initialised with its video subsystem before this object
// is used, and must outlive it.  Pictures come from `gdi`, which draws every
// surface of the show.
class SdlDesktop final : public Desktop {
 public:
  explicit SdlDesktop(SoftGdi& gdi);
  ~SdlDesktop() override;
  SdlDesktop(const SdlDesktop&) = delete;
  SdlDesktop& operator=(const SdlDesktop&) = delete;

  ScreenSize screen_size() override;
  void create_show_window(Rect picture_area, InputSink& sink) override;
  void show_window() override;
  void make_topmost() override;
  WindowHandle show_window_handle() override;
  void destroy_show_window() override;
  void refresh_picture_area(DcHandle source) override;
  void process_messages() override;
  void wait_for_message_until(std::int32_t deadline) override;
  std::int32_t tick_count() override;
  int show_cursor(bool show) override;
  Point cursor_position() override;
  void message_box(const std::string& text, const std::string& title, unsigned style) override;
  void show_settings_dialog(SettingsDialog& dialog) override;
  void set_screen_saver_running(bool running) override;

  // The show window and its renderer (null while there is none), for
  // diagnostics and tests that read the screen back.
  SDL_Window* window() const { return window_; }
  SDL_Renderer* renderer() const { return renderer_; }

 private:
  void dispatch(const SDL_Event& event);
  // Black window, the last frame in the visible part of the picture area.
  void present();
  void release_window();

  SoftGdi& gdi_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  // The visible part of the last refreshed frame, and where it goes in the window.
  SDL_Texture* frame_ = nullptr;
  SDL_Rect frame_place_{};
  Rect picture_area_;
  InputSink* sink_ = nullptr;
  int cursor_count_ = 0;
};

}  // namespace showsaver
