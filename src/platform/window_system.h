// The show window and its input: the window over the screen (or a preview in
// another program's window), the picture area's refresh, the cursor, and the
// notice that a screen saver runs.  Method names are our own; the comment
// above each names the Win32 call it stands for.
#pragma once

#include <stdexcept>

#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/window_handle.h"

namespace showsaver {

// Where the show window delivers input while messages are processed (see
// message_loop.h).  Mouse and key events on the show window and on its
// picture area both arrive here.
class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void key_down() = 0;
  virtual void mouse_down() = 0;
  virtual void mouse_move() = 0;
  // The show is asked to end from outside rather than by input (see
  // end_request.h); a sink that does not tell the two apart takes a key.
  virtual void end_requested() { key_down(); }
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The primary screen's size in pixels.
  virtual Size screen_size() = 0;

  // Creates the hidden, borderless, full-screen, black show window with its
  // picture area at `picture_area`; input goes to `sink` from now on.
  virtual void create_show_window(Rect picture_area, InputSink& sink) = 0;
  // IsWindow: `window` is a window that exists now.  A window system that
  // cannot play the show in another program's window knows none.
  virtual bool window_exists(WindowHandle) { return false; }
  // Creates the show window as a preview: a child that fills the client area
  // of `host` (a window that window_exists), with the picture area of
  // `picture` pixels scaled into it, its aspect kept (see fitted_size in
  // picture_scaling.h), black around.  Input goes to `sink`; once `host` goes
  // away the end is requested (end_request.h).  A window system without
  // previews throws std::logic_error.
  virtual void create_preview_window(WindowHandle /*host*/, Size /*picture*/, InputSink& /*sink*/) {
    throw std::logic_error("This desktop plays no previews.");
  }
  // Shows the window and repaints it.
  virtual void show_window() = 0;
  // SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE).
  virtual void make_topmost() = 0;
  virtual WindowHandle show_window_handle() = 0;
  virtual void destroy_show_window() = 0;
  // Puts the current image of `source` (the picture area's device context) on screen.
  virtual void refresh_picture_area(DcHandle source) = 0;

  // ShowCursor: moves the cursor's display count by one; returns the new count.
  virtual int show_cursor(bool show) = 0;
  // GetCursorPos: the cursor's position in screen coordinates.
  virtual Point cursor_position() = 0;

  // SystemParametersInfo(SPI_SETSCREENSAVERRUNNING, running, ...).
  virtual void set_screen_saver_running(bool running) = 0;
};

}  // namespace showsaver
