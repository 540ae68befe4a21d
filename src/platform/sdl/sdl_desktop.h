// The desktop on SDL2: the full-screen show windows, input and the cursor,
// the tick counter and the message wait, with Win32's semantics.  Its
// message boxes and settings dialog are another Dialogs' (GTK's, or SDL's
// own boxes), which it places over the show window.  It learns of no power
// events.
//
// The show covers every monitor: a black window on each display, the
// picture area in the primary display's one (MonitorWindows), where the
// area's coordinates start at the display's corner, as Windows' screen
// coordinates start at the primary monitor's.  Input on any of them ends
// the show, and so does another client's window taking the keyboard focus.
//
// A refresh copies the picture area's pixels once, straight from the GDI's
// own memory where it offers them (Gdi::ViewImage), into the window's
// surface, which the display takes from shared memory: no renderer and no
// OpenGL, which would only add an upload per frame.  Where the surface has
// the frame's own layout the rows go across with memcpy, top byte and all.
// A picture area larger than the display is shrunk to fit, its aspect kept,
// and centred: only the presented frame is scaled, the effects draw at the
// package's size.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/end_request.h"
#include "platform/gdi.h"
#include "platform/message_loop.h"
#include "platform/sdl/first_frame_probe.h"
#include "platform/sdl/monitor_windows.h"
#include "platform/sdl/sdl_dialogs.h"
#include "platform/shown_picture.h"
#include "platform/window_system.h"

namespace showsaver {

// SDL must have been initialised with its video subsystem before this object
// is used, and must outlive it.  Pictures come from `gdi`, which draws every
// surface of the show.
class SdlDesktop final : public WindowSystem, public MessageLoop, public Dialogs {
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

  // WindowSystem.
  Size screen_size() override;
  void create_show_window(Rect picture_area, InputSink& sink) override;
  void show_window() override;
  void make_topmost() override;
  WindowHandle show_window_handle() override;
  void destroy_show_window() override;
  void refresh_picture_area(DcHandle source) override;
  int show_cursor(bool show) override;
  Point cursor_position() override;
  void set_screen_saver_running(bool running) override;

  // MessageLoop.
  void process_messages() override;
  void wait_for_message_until(std::int32_t deadline) override;
  std::int32_t tick_count() override;

  // Dialogs.
  // Above the given owner, else the open settings dialog, else the show window.
  void message_box(const std::string& text, const std::string& title, unsigned style,
                   WindowHandle owner) override;
  // The owner is an X11 window here; there is no foreground window to take
  // the place of one that names none.
  void show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) override;
  void bring_settings_dialog_forward() override { dialogs_.bring_settings_dialog_forward(); }

  // The primary display's show window (null while there is none), for
  // diagnostics and tests that read the screen back from its surface.
  SDL_Window* window() const { return windows_.primary(); }

 private:
  void dispatch(const SDL_Event& event);
  // Blocks until SDL has an event, the end is requested, or `timeout` ms passed.
  void block_for_event(int timeout);
  // The primary display's window black, the picture area's image in its
  // visible part (or shrunk to fit), drawn into the window's surface and put
  // on screen.
  void present();
  // The visible part of the picture, `from` its corner, into `screen` at `shown`.
  static void copy_rows(const PixelView& image, Point from, const Rect& shown, SDL_Surface* screen);
  // The whole picture shrunk into `screen` at `shown`.
  static void scale_into(const PixelView& image, const Rect& shown, SDL_Surface* screen);
  // What a window event asks for: a repaint, the end of the show.
  void window_event(const SDL_WindowEvent& event);
  void release_window();

  // The surface last refreshed, drawn again when the window is repainted.
  ShownPicture picture_;
  SdlDialogs own_dialogs_;
  Dialogs& dialogs_;
  int end_request_fd_ = -1;
  MonitorWindows windows_;
  // On X11: the display connection's descriptor, which the message wait
  // watches beside the end request; -1 elsewhere.
  int connection_fd_ = -1;
  // The picture area in the primary display's window.
  Rect picture_area_;
  InputSink* sink_ = nullptr;
  // The end request, the window manager's (or SDL's, for the last window)
  // request to close the window, and another client's window taking the
  // keyboard focus, which last the same way.
  EndRequest end_;
  int cursor_count_ = 0;
  FirstFrameProbe first_frame_;
};

}  // namespace showsaver
