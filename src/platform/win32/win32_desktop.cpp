#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include "platform/deadline_wait.h"
#include "platform/picture_scaling.h"
#include "platform/win32/power_broadcast.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_settings_dialog.h"

namespace showsaver {
namespace {

constexpr const wchar_t* kShowWindowClass = L"showsaver.show";
// How often a preview wakes to ask whether its host window still exists: the
// host may go without its children being told (its thread or process ended),
// and a timer of the preview's window would go with that window, so the
// timer is the thread's.
constexpr UINT kHostCheckMilliseconds = 250;

HINSTANCE this_module() {
  return GetModuleHandleW(nullptr);
}

LRESULT CALLBACK show_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* desktop = reinterpret_cast<Win32Desktop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (desktop != nullptr) {
    if (const auto result = desktop->handle_message(message, wparam, lparam)) return *result;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// The size of the bitmap selected into `dc`, or 0 x 0.
SIZE selected_bitmap_size(HDC dc) {
  BITMAP description{};
  const HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
  if (selected == nullptr || GetObjectW(selected, sizeof description, &description) == 0) {
    return SIZE{0, 0};
  }
  return SIZE{description.bmWidth, description.bmHeight};
}

}  // namespace

Win32Desktop::Win32Desktop() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = show_window_procedure;
  window_class.hInstance = this_module();
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  window_class.lpszClassName = kShowWindowClass;
  RegisterClassExW(&window_class);
}

Win32Desktop::~Win32Desktop() {
  destroy_show_window();
  UnregisterClassW(kShowWindowClass, this_module());
}

Size Win32Desktop::screen_size() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Desktop::create_show_window(Rect picture_area, InputSink& sink) {
  destroy_show_window();
  picture_size_ = {picture_area.width, picture_area.height};
  layout_ = current_desktop_layout(picture_size_);
  sink_ = &sink;
  const Rect& area = layout_.window;
  window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kShowWindowClass, L"showsaver",
                            WS_POPUP, area.left, area.top, area.width, area.height, nullptr,
                            nullptr, this_module(), this);
  if (window_ != nullptr) display_state_registration_ = watch_display_state(window_);
}

bool Win32Desktop::window_exists(WindowHandle window) {
  return window != 0 && IsWindow(reinterpret_cast<HWND>(window)) != FALSE;
}

void Win32Desktop::create_preview_window(WindowHandle host, Size picture, InputSink& sink) {
  destroy_show_window();
  picture_size_ = picture;
  sink_ = &sink;
  host_ = reinterpret_cast<HWND>(host);
  layout_ = current_layout();
  const Rect& area = layout_.window;
  // No WM_PARENTNOTIFY: the host's program need not answer for the preview to start.
  window_ =
      CreateWindowExW(WS_EX_NOPARENTNOTIFY, kShowWindowClass, L"showsaver", WS_CHILD, area.left,
                      area.top, area.width, area.height, host_, nullptr, this_module(), this);
  host_check_timer_ = SetTimer(nullptr, 0, kHostCheckMilliseconds, nullptr);
  if (window_ == nullptr) host_gone();
}

DesktopLayout Win32Desktop::current_layout() const {
  if (host_ == nullptr) return current_desktop_layout(picture_size_);
  RECT client{0, 0, 0, 0};
  GetClientRect(host_, &client);
  return preview_layout(picture_size_, {client.right - client.left, client.bottom - client.top});
}

void Win32Desktop::host_gone() {
  end_.request();
  end_.report_to(sink_);
}

void Win32Desktop::lay_out() {
  layout_ = current_layout();
  const Rect& area = layout_.window;
  SetWindowPos(window_, nullptr, area.left, area.top, area.width, area.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  scale_copy();
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32Desktop::show_window() {
  if (window_ == nullptr) return;
  if (host_ != nullptr) {
    // The focus stays with the host's program.
    ShowWindow(window_, SW_SHOWNA);
    UpdateWindow(window_);
    return;
  }
  ShowWindow(window_, SW_SHOW);
  // Keys go to the foreground window.
  SetForegroundWindow(window_);
  UpdateWindow(window_);
}

void Win32Desktop::make_topmost() {
  if (window_ == nullptr) return;
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

WindowHandle Win32Desktop::show_window_handle() {
  return reinterpret_cast<WindowHandle>(window_);
}

void Win32Desktop::destroy_show_window() {
  stop_watching_display_state(display_state_registration_);
  display_state_registration_ = nullptr;
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
  host_ = nullptr;
  if (host_check_timer_ != 0) KillTimer(nullptr, host_check_timer_);
  host_check_timer_ = 0;
  sink_ = nullptr;
  power_sink_ = nullptr;
  end_.clear();
  copy_.release();
  scaled_.release();
}

void Win32Desktop::refresh_picture_area(DcHandle source) {
  if (window_ == nullptr) return;
  const HDC source_dc = reinterpret_cast<HDC>(source.value);
  const SIZE size = selected_bitmap_size(source_dc);
  if (size.cx <= 0 || size.cy <= 0 || !copy_.resize({size.cx, size.cy})) return;
  BitBlt(copy_.dc(), 0, 0, size.cx, size.cy, source_dc, 0, 0, SRCCOPY);
  scale_copy();
  const HDC window_dc = GetDC(window_);
  if (window_dc == nullptr) return;
  paint_picture(window_dc);
  ReleaseDC(window_, window_dc);
}

bool Win32Desktop::shown_in_whole_multiples() const {
  const Size shown{layout_.picture.width, layout_.picture.height};
  const Size copy = copy_.size();
  return !copy_.empty() && shown.width % copy.width == 0 && shown.height % copy.height == 0;
}

void Win32Desktop::scale_copy() {
  // At its own size and at whole multiples of it the copy itself is painted.
  if (shown_in_whole_multiples()) {
    scaled_.release();
    return;
  }
  if (copy_.empty()) return;
  if (scaled_.resize({layout_.picture.width, layout_.picture.height})) {
    scale_picture(copy_.view(), scaled_.target());
  }
}

void Win32Desktop::paint_picture(HDC window_dc) {
  const Rect& area = layout_.picture;
  if (!scaled_.empty()) {
    BitBlt(window_dc, area.left, area.top, area.width, area.height, scaled_.dc(), 0, 0, SRCCOPY);
  } else if (copy_.size() == Size{area.width, area.height}) {
    BitBlt(window_dc, area.left, area.top, area.width, area.height, copy_.dc(), 0, 0, SRCCOPY);
  } else if (shown_in_whole_multiples()) {
    // Each pixel repeated exactly, as the shared scaler repeats it, by GDI
    // at no cost to the frame: COLORONCOLOR blends nothing.
    SetStretchBltMode(window_dc, COLORONCOLOR);
    StretchBlt(window_dc, area.left, area.top, area.width, area.height, copy_.dc(), 0, 0,
               copy_.size().width, copy_.size().height, SRCCOPY);
  }
}

void Win32Desktop::report_power_event(std::uintptr_t wparam, std::intptr_t lparam) {
  if (power_sink_ == nullptr) return;
  switch (power_event(wparam, lparam)) {
    case PowerEvent::Silence:
      power_sink_->fall_silent();
      break;
    case PowerEvent::SoundAgain:
      power_sink_->sound_again();
      break;
    case PowerEvent::None:
      break;
  }
}

std::optional<std::intptr_t> Win32Desktop::handle_message(unsigned message, std::uintptr_t wparam,
                                                          std::intptr_t lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC window_dc = BeginPaint(window_, &paint);
      if (window_dc != nullptr) paint_picture(window_dc);
      EndPaint(window_, &paint);
      return 0;
    }
    // Any key ends the show; none reaches the default handling (Alt+F4, F10).
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (sink_ != nullptr) sink_->key_down();
      return 0;
    // Closing the window from outside ends the show like a key press, also
    // when it comes while the show is still starting.
    case WM_CLOSE:
      end_.request();
      end_.report_to(sink_);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (sink_ != nullptr) sink_->mouse_down();
      return 0;
    case WM_XBUTTONDOWN:
      if (sink_ != nullptr) sink_->mouse_down();
      return TRUE;
    case WM_MOUSEMOVE:
      if (sink_ != nullptr) sink_->mouse_move();
      return 0;
    // Another program took the foreground: a key meant for the show would
    // go to a window nobody sees.  The show's own message box belongs to
    // this thread, so it sends none.
    case WM_ACTIVATEAPP:
      if (wparam == FALSE && sink_ != nullptr) sink_->key_down();
      return 0;
    // A monitor came or went, or the primary one changed its size or scale.
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
      lay_out();
      return 0;
    // The show never holds up sleep; it only falls silent.
    case WM_POWERBROADCAST:
      report_power_event(wparam, lparam);
      return TRUE;
    // Destroyed by destroy_show_window or, in a preview, with its host.
    case WM_DESTROY:
      window_ = nullptr;
      if (host_ != nullptr) host_gone();
      return 0;
    case WM_QUERYENDSESSION:
      // The show never holds up the end of the session.
      return TRUE;
    case WM_ENDSESSION:
      if (wparam != FALSE && sink_ != nullptr) {
        end_.request();
        end_.report_to(sink_);
        if (session_end_work_) session_end_work_();
        if (notice_on_) set_screen_saver_running(false);
      }
      return 0;
    case WM_SYSCOMMAND:
      // No second screen saver over this one.  SC_MONITORPOWER goes on to
      // the default handling: the display may always turn off.
      if ((wparam & 0xFFF0u) == SC_SCREENSAVE) return 0;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void Win32Desktop::process_messages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    if (message.message == WM_QUIT) {
      // Someone asks the program to end: end the show as a key would.
      end_.request();
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (host_ != nullptr && IsWindow(host_) == FALSE) end_.request();
  // Asked again on every pass: the show forgets input from before it began.
  end_.report_to(sink_);
}

void Win32Desktop::wait_for_message_until(std::int32_t deadline) {
  // MWMO_INPUTAVAILABLE also wakes for messages a peek has seen but left in
  // the queue; a timeout only means the tick must be read again.
  wait_until_deadline(
      deadline, [this] { return tick_count(); },
      [](int timeout) {
        return MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(timeout), QS_ALLINPUT,
                                           MWMO_INPUTAVAILABLE) != WAIT_TIMEOUT;
      });
}

std::int32_t Win32Desktop::tick_count() {
  return static_cast<std::int32_t>(GetTickCount());
}

int Win32Desktop::show_cursor(bool show) {
  return ShowCursor(show ? TRUE : FALSE);
}

Point Win32Desktop::cursor_position() {
  POINT position{0, 0};
  GetCursorPos(&position);
  return {position.x, position.y};
}

namespace {

// The settings' owner, or the foreground window where it names no window
// (any more); 0 stays 0.
HWND existing_owner(WindowHandle owner) {
  if (owner == 0) return nullptr;
  const HWND window = reinterpret_cast<HWND>(owner);
  return IsWindow(window) != FALSE ? window : GetForegroundWindow();
}

}  // namespace

void Win32Desktop::message_box(const std::string& text, const std::string& title, unsigned style,
                               WindowHandle given_owner) {
  HWND owner = existing_owner(given_owner);
  if (owner == nullptr) owner = dialog_window_ != nullptr ? dialog_window_ : window_;
  UINT flags = style | MB_SETFOREGROUND;
  if (owner != nullptr && owner == window_) flags |= MB_TOPMOST;
  MessageBoxW(owner, win32::to_wide(text).c_str(), win32::to_wide(title).c_str(), flags);
}

void Win32Desktop::show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) {
  run_win32_settings_dialog(dialog, *this, reinterpret_cast<WindowHandle>(existing_owner(owner)));
}

void Win32Desktop::bring_settings_dialog_forward() {
  bring_open_settings_dialog_forward();
}

void Win32Desktop::set_screen_saver_running(bool running) {
  notice_on_ = running;
  BOOL previous = FALSE;
  SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

}  // namespace showsaver
