// The desktop seam: the show window, input, the cursor, message boxes, the
// tick counter and the message loop.  Method names are our own; the comment
// above each names the Win32 call it stands for.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/gdi.h"
#include "platform/geometry.h"

namespace showsaver {

// Where the desktop delivers input while messages are processed.  Mouse and
// key events on the show window and on its picture area both arrive here.
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

// Where the desktop reports what the computer's power does to the show: its
// sound stops while nobody can see the show, so that an audio stream in use
// never keeps the computer awake.
class PowerSink {
 public:
  virtual ~PowerSink() = default;
  // The display has turned off, or the computer is about to sleep.
  virtual void fall_silent() = 0;
  // The display is on again.
  virtual void sound_again() = 0;
};

// Message box styles and the window handle type, as user32 has them.
namespace mb {
constexpr unsigned OK_INFORMATION = 0x40;
constexpr unsigned OK_EXCLAMATION = 0x30;
}  // namespace mb

using WindowHandle = std::uintptr_t;

// The settings dialog's behaviour.  The desktop draws the dialog of
// platform/settings_dialog_design.h (a music and a sounds group box, each
// with an on and an off radio button; OK and Cancel buttons) and forwards the
// user's actions here.
class SettingsDialog {
 public:
  virtual ~SettingsDialog() = default;
  // True when the group box's on radio button is selected, false for off.
  virtual bool music_on() const = 0;
  virtual bool sounds_on() const = 0;
  // A click on the group box's on (true) or off (false) radio button.
  virtual void choose_music(bool on) = 0;
  virtual void choose_sounds(bool on) = 0;
  // OK, also Enter: keeps the choice and hides the dialog.
  virtual void accept() = 0;
  // Cancel, also Esc: hides the dialog.
  virtual void cancel() = 0;
  // False once a button has hidden the dialog.
  virtual bool visible() const = 0;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // The primary screen's size in pixels.
  virtual Size screen_size() = 0;

  // Creates the hidden, borderless, full-screen, black show window with its
  // picture area at `picture_area`; input goes to `sink` from now on.
  virtual void create_show_window(Rect picture_area, InputSink& sink) = 0;
  // IsWindow: `window` is a window that exists now.  A desktop that cannot
  // play the show in another program's window knows none.
  virtual bool window_exists(WindowHandle) { return false; }
  // Creates the show window as a preview: a child that fills the client area
  // of `host` (a window that window_exists), with the picture area of
  // `picture` pixels scaled into it, its aspect kept (see fitted_size in
  // picture_scaling.h), black around.  Input goes to `sink`; once `host` goes
  // away the desktop requests the end (end_request.h).  A desktop without
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

  // Dispatches every pending message to the input sink, then returns.
  virtual void process_messages() = 0;
  // Blocks until a message is pending or the tick counter has passed
  // `deadline` (wrap-safe); returns at once if either holds already.
  virtual void wait_for_message_until(std::int32_t deadline) = 0;
  // GetTickCount: the millisecond tick counter, read as a signed value.
  virtual std::int32_t tick_count() = 0;

  // ShowCursor: moves the cursor's display count by one; returns the new count.
  virtual int show_cursor(bool show) = 0;
  // GetCursorPos: the cursor's position in screen coordinates.
  virtual Point cursor_position() = 0;
  // MessageBox: a modal message box with a single OK button; UTF-8 texts.
  // `owner` is 0, or the settings' owner (as for show_settings_dialog), which
  // the box then belongs to instead of the program's own open settings
  // dialog or show window.
  virtual void message_box(const std::string& text, const std::string& title, unsigned style,
                           WindowHandle owner) = 0;
  // Shows `dialog` modally; returns when it hides itself or is closed with
  // the close box.  It belongs to `owner` (the control panel's window, or
  // the foreground window), centred over it, and the owner is disabled while
  // the dialog is open; an owner that names no window (any more) gives way
  // to the foreground window.  0: no owner.
  virtual void show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) = 0;
  // Brings the settings dialog that another copy of this program shows to
  // the front, for a second request of the settings; nothing where there is
  // none, or where the desktop cannot reach another program's windows.
  virtual void bring_settings_dialog_forward() = 0;
  // SystemParametersInfo(SPI_SETSCREENSAVERRUNNING, running, ...).
  virtual void set_screen_saver_running(bool running) = 0;
  // The show window's power events go to `sink` from now on, until the window
  // is destroyed.  A desktop that learns of none does nothing.
  virtual void watch_power(PowerSink&) {}
};

}  // namespace showsaver
