// The desktop on SDL2: the full-screen show window, input and the cursor,
// with Win32's semantics; message boxes and the settings dialog are handed
// to a Dialogs backend.
//
// A refresh copies the picture area's pixels once, straight from the GDI's
// own memory where it offers them (Gdi::ViewImage), into the window's
// surface, which the display takes from shared memory: no renderer and no
// OpenGL, which would only add an upload per frame.  Where the surface has
// the frame's own layout the rows go across with memcpy, top byte and all.
// On X11 the window asks for full screen by its _NET_WM_STATE before it is
// mapped, since SDL would wait for a window manager's move that never comes.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/end_request.h"
#include "platform/gdi.h"
#include "platform/sdl/first_frame_probe.h"
#include "platform/sdl/sdl_dialogs.h"
#include "platform/shown_picture.h"

namespace showsaver {

// SDL must have been initialised with its video subsystem before this object
// is used, and must outlive it.  Pictures come from `gdi`, which draws every
// surface of the show.
class SdlDesktop final : public Desktop {
 public:
  // With SDL's own message boxes.
  explicit SdlDesktop(const Gdi& gdi);
  // With `dialogs` for the message boxes and the settings dialog.  Once
  // `end_request_fd` (or -1) is readable, the program has been asked to end:
  // every message wait returns at once and every message processing reports
  // a key press, so the show stops as if the user had ended it.  The window
  // manager's close request does the same.
  SdlDesktop(const Gdi& gdi, Dialogs& dialogs, int end_request_fd);
  ~SdlDesktop() override;
  SdlDesktop(const SdlDesktop&) = delete;
  SdlDesktop& operator=(const SdlDesktop&) = delete;

  Size screen_size() override;
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

  // The show window (null while there is none), for diagnostics and tests
  // that read the screen back from its surface.
  SDL_Window* window() const { return window_; }

 private:
  void dispatch(const SDL_Event& event);
  // Blocks until SDL has an event, the end is requested, or `timeout` ms passed.
  void block_for_event(int timeout);
  // Black window, the picture area's image in its visible part, drawn into
  // the window's surface and put on screen.
  void present();
  // The visible part of the picture, `from` its corner, into `screen` at `shown`.
  static void copy_rows(const PixelView& image, Point from, const Rect& shown, SDL_Surface* screen);
  void release_window();

  // The surface last refreshed, drawn again when the window is repainted.
  ShownPicture picture_;
  SdlDialogs own_dialogs_;
  Dialogs& dialogs_;
  int end_request_fd_ = -1;
  SDL_Window* window_ = nullptr;
  // On X11: the show window for the dialogs to stand above, and the display
  // connection's descriptor, which the message wait watches beside the end
  // request.  0 and -1 elsewhere.
  NativeWindow native_window_ = 0;
  int connection_fd_ = -1;
  // The picture area in window coordinates.
  Rect picture_area_;
  InputSink* sink_ = nullptr;
  // The end request, and the window manager's (or SDL's, for the last
  // window) request to close the window, which lasts the same way.
  EndRequest end_;
  int cursor_count_ = 0;
  FirstFrameProbe first_frame_;
};

}  // namespace showsaver
