// The desktop on Windows: the show window, its input and the cursor, the
// tick counter and the message loop, message boxes and the settings dialog,
// and the display's power events.
//
// A thin pass-through: the core's GDI calls reach BitBlt, StretchBlt, ... on
// real device contexts (the surfaces are 32-bit DIB sections), the window
// procedure feeds the InputSink, and waits block in
// MsgWaitForMultipleObjectsEx.  Around it, in this folder:
//  - winmm.cpp: mciSendStringW and PlaySoundW, from a winmm the program does
//    not import but loads from the system folder (system_library.cpp keeps
//    every DLL search there); the music opened as the device its bytes call
//    for.
//  - The password check and change are looked up in "password.cpl" and
//    mpr.dll when needed; the settings dialog's template is built in memory
//    from the seam's design (settings_dialog_template.cpp).
//  - desktop_layout.cpp: the picture area on the primary monitor at its size
//    on a 100 % display times that monitor's DPI / 96 (the process is
//    per-monitor DPI aware by its manifest), shrunk to fit when larger; shown
//    pixel for pixel at its own size, each pixel repeated at whole multiples
//    (GDI's exact stretch), else scaled with picture_scaling.h; laid out
//    again on WM_DISPLAYCHANGE.
//  - A preview ("/p HWND") is a child window filling its host's client area,
//    the picture fitted into it and scaled the same way; it takes no focus
//    and no power events, and ends the show on WM_DESTROY with its host or
//    when the host is no longer a window (IsWindow, a timer waking the wait).
//    Wine draws a child of another process's window nowhere, so its pixels
//    are tested with the host in the same process, and across processes in
//    tests/wine/preview_test.cpp.
//  - Losing the foreground (WM_ACTIVATEAPP) ends the show as a key does;
//    display off and sleep (power_broadcast.cpp) reach the music through the
//    seam's PowerSink.
//  - Every text crosses the seam as UTF-8 and reaches the system through the
//    wide calls; in the 32-bit build the file calls switch off the
//    redirection of the system folder to SysWOW64 (literal_paths.cpp).
//  - <windows.h> is never included before a seam header, whose names its
//    macros would clobber.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/end_request.h"
#include "platform/message_loop.h"
#include "platform/power_events.h"
#include "platform/win32/desktop_layout.h"
#include "platform/win32/dib_canvas.h"
#include "platform/window_system.h"

// <windows.h>'s handle types, declared without the header (its macros would
// clash with the seam's constants).
struct HWND__;
struct HDC__;

namespace showsaver {

// The show window is a borderless popup over every monitor (the virtual
// screen), topmost and kept out of the taskbar, black outside its picture
// area.  Of the picture area it is given only the size counts: the window
// places it on the primary monitor itself (see desktop_layout.h) and lays it
// out again when the monitors or their scale change.  The picture area is
// drawn into that window directly, so input anywhere reaches the one window
// procedure.  Everything runs on the thread that made the object.
//
// A preview's window is instead a child filling its host's client area, the
// picture scaled to fit it; it ends the show when it is destroyed with its
// host, or when the host is found gone (looked for at every message
// processing, which a timer wakes).  It takes neither the focus nor
// the display's power events.
class Win32Desktop final : public WindowSystem,
                           public MessageLoop,
                           public Dialogs,
                           public PowerEvents {
 public:
  Win32Desktop();
  ~Win32Desktop() override;
  Win32Desktop(const Win32Desktop&) = delete;
  Win32Desktop& operator=(const Win32Desktop&) = delete;

  // WindowSystem.
  Size screen_size() override;
  void create_show_window(Rect picture_area, InputSink& sink) override;
  bool window_exists(WindowHandle window) override;
  void create_preview_window(WindowHandle host, Size picture, InputSink& sink) override;
  void show_window() override;
  void make_topmost() override;
  WindowHandle show_window_handle() override;
  void destroy_show_window() override;
  // Copies the source's image, then paints it at the shown size: as it is,
  // each pixel repeated for whole multiples, else through the shared scaler
  // (picture_scaling.h); WM_PAINT paints the copy again.
  void refresh_picture_area(DcHandle source) override;
  int show_cursor(bool show) override;
  Point cursor_position() override;
  void set_screen_saver_running(bool running) override;

  // MessageLoop.
  void process_messages() override;
  void wait_for_message_until(std::int32_t deadline) override;
  std::int32_t tick_count() override;

  // Dialogs.
  // Owned by the given owner, else the open settings dialog, else the show
  // window, so that it comes up over it and keeps it waiting.
  void message_box(const std::string& text, const std::string& title, unsigned style,
                   WindowHandle owner) override;
  void show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) override;
  // Found by a window property that names this program (see
  // win32_settings_dialog.h).
  void bring_settings_dialog_forward() override;

  // PowerEvents.
  // Display off, display on, sleep and waking, while the show window is open.
  void watch_power(PowerSink& sink) override { power_sink_ = &sink; }

  // The window procedure's work for one message of the show window; nothing
  // leaves the message to the default handling.
  std::optional<std::intptr_t> handle_message(unsigned message, std::uintptr_t wparam,
                                              std::intptr_t lparam);
  // Set by the dialog procedure while the settings dialog is open.
  void set_dialog_window(HWND__* dialog) { dialog_window_ = dialog; }
  // What must be undone before the show window answers WM_ENDSESSION: once
  // every window has answered, Windows may end the process at any moment, so
  // the show's own teardown, which runs when the message loop next returns,
  // may never come.  The notice is withdrawn here as well.
  void set_session_end_work(std::function<void()> work) { session_end_work_ = std::move(work); }

 private:
  // Places the window and the picture area on the desktop, or in the
  // preview's host, as it is now.
  void lay_out();
  DesktopLayout current_layout() const;
  // The preview's host window has gone: the show is to end.
  void host_gone();
  // The picture area shows at the copy's size or at whole multiples of it.
  bool shown_in_whole_multiples() const;
  // Makes the scaled image of the copy where the copy itself cannot be shown.
  void scale_copy();
  void paint_picture(HDC__* window_dc);
  void report_power_event(std::uintptr_t wparam, std::intptr_t lparam);

  HWND__* window_ = nullptr;
  // The preview's host window; null for the full-screen show.
  HWND__* host_ = nullptr;
  // The thread's timer that wakes the message wait to look for the host.
  std::uintptr_t host_check_timer_ = 0;
  HWND__* dialog_window_ = nullptr;
  InputSink* sink_ = nullptr;
  PowerSink* power_sink_ = nullptr;
  void* display_state_registration_ = nullptr;
  std::function<void()> session_end_work_;
  bool notice_on_ = false;
  // WM_CLOSE, WM_ENDSESSION or WM_QUIT came, or the preview's host went:
  // the show is to end.
  EndRequest end_;
  Size picture_size_;
  DesktopLayout layout_;
  // The last refreshed picture, kept for WM_PAINT and a new layout, and,
  // when the picture shows at a size not a whole multiple of it, its image
  // at that size.
  DibCanvas copy_;
  DibCanvas scaled_;
};

}  // namespace showsaver
