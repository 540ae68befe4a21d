#include "platform/win32/win32_settings_dialog.h"

#include <algorithm>
#include <string>

#include "platform/settings_dialog_design.h"
#include "platform/win32/program_file.h"
#include "platform/win32/settings_dialog_template.h"
#include "platform/win32/win32_desktop.h"

// clang-format off
// Last: <windows.h> defines macros that clash with the seam's constants.
#include <windows.h>
// Needs <windows.h> before it.
#include <commctrl.h>
// clang-format on

namespace showsaver {
namespace {

// Enter and Esc press the buttons of these numbers.
static_assert(kOkButtonId == IDOK && kCancelButtonId == IDCANCEL);

// How long a second copy waits for the first one's dialog to appear.
constexpr DWORD kFindDialogMilliseconds = 3000;

// The window property that marks this program's open settings dialog, so
// that a second copy finds it: named after the program, so that another
// show's dialog is never taken for it.
std::wstring dialog_mark() {
  return L"showsaver.settings." + win32::program_base_name(win32::running_program_path());
}

struct DialogRun {
  SettingsDialog& dialog;
  Win32Desktop& desktop;
  HWND owner;
  std::wstring mark;
};

void end_dialog(HWND window, DialogRun& run, INT_PTR result) {
  run.desktop.set_dialog_window(nullptr);
  RemovePropW(window, run.mark.c_str());
  EndDialog(window, result);
}

// Over the middle of the owner, kept on the owner's monitor's work area.
void centre_over_owner(HWND window, HWND owner) {
  RECT owner_area{};
  RECT dialog_area{};
  if (owner == nullptr || GetWindowRect(owner, &owner_area) == FALSE ||
      GetWindowRect(window, &dialog_area) == FALSE) {
    return;
  }
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor) == FALSE) {
    return;
  }
  const RECT& work = monitor.rcWork;
  const LONG width = dialog_area.right - dialog_area.left;
  const LONG height = dialog_area.bottom - dialog_area.top;
  LONG left = (owner_area.left + owner_area.right - width) / 2;
  LONG top = (owner_area.top + owner_area.bottom - height) / 2;
  left = std::max(work.left, std::min(left, work.right - width));
  top = std::max(work.top, std::min(top, work.bottom - height));
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void initialise(HWND window, DialogRun& run) {
  run.desktop.set_dialog_window(window);
  SetPropW(window, run.mark.c_str(), window);
  centre_over_owner(window, run.owner);
  const int music = run.dialog.music_on() ? kMusicOnId : kMusicOffId;
  CheckRadioButton(window, kMusicOnId, kMusicOffId, music);
  CheckRadioButton(window, kSoundsOnId, kSoundsOffId,
                   run.dialog.sounds_on() ? kSoundsOnId : kSoundsOffId);
  // The first stop in the tab order is the first group box, whose place is
  // its selected radio button.
  SetFocus(GetDlgItem(window, music));
}

// Returns TRUE when the command was the dialog's.
INT_PTR command(HWND window, DialogRun& run, int id, int notification) {
  switch (id) {
    case kMusicOnId:
    case kMusicOffId:
      if (notification == BN_CLICKED) run.dialog.choose_music(id == kMusicOnId);
      return TRUE;
    case kSoundsOnId:
    case kSoundsOffId:
      if (notification == BN_CLICKED) run.dialog.choose_sounds(id == kSoundsOnId);
      return TRUE;
    case kOkButtonId:  // also Enter
      run.dialog.accept();
      break;
    case kCancelButtonId:  // also Esc
      run.dialog.cancel();
      break;
    default:
      return FALSE;
  }
  // A choice that could not be saved keeps the dialog open.
  if (!run.dialog.visible()) end_dialog(window, run, id);
  return TRUE;
}

INT_PTR CALLBACK settings_dialog_procedure(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    initialise(window, *reinterpret_cast<DialogRun*>(lparam));
    return FALSE;  // the focus is set
  }
  auto* run = reinterpret_cast<DialogRun*>(GetWindowLongPtrW(window, DWLP_USER));
  if (run == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return command(window, *run, LOWORD(wparam), HIWORD(wparam));
    case WM_CLOSE:
      // The close box closes the dialog without a command (not as Cancel).
      end_dialog(window, *run, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void run_win32_settings_dialog(SettingsDialog& dialog, Win32Desktop& desktop, WindowHandle owner) {
  // The buttons of common controls 6, which the program's manifest asks for.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const HINSTANCE module = GetModuleHandleW(nullptr);
  const HWND given = reinterpret_cast<HWND>(owner);
  const HWND hidden_owner = given != nullptr
                                ? nullptr
                                : CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                                  nullptr, module, nullptr);
  // DialogBox disables the owner while the dialog is open and enables it again.
  DialogRun run{dialog, desktop, given, dialog_mark()};
  const std::vector<std::uint16_t> dialog_template = win32::settings_dialog_template();
  DialogBoxIndirectParamW(module, reinterpret_cast<const DLGTEMPLATE*>(dialog_template.data()),
                          given != nullptr ? given : hidden_owner, settings_dialog_procedure,
                          reinterpret_cast<LPARAM>(&run));
  desktop.set_dialog_window(nullptr);
  if (hidden_owner != nullptr) DestroyWindow(hidden_owner);
}

namespace {

struct DialogSearch {
  const std::wstring& mark;
  HWND found = nullptr;
};

BOOL CALLBACK look_for_dialog(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<DialogSearch*>(context);
  if (GetPropW(window, search.mark.c_str()) == nullptr) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

bool bring_open_settings_dialog_forward() {
  const std::wstring mark = dialog_mark();
  const ULONGLONG end = GetTickCount64() + kFindDialogMilliseconds;
  DialogSearch search{mark};
  for (;;) {
    EnumWindows(look_for_dialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr || GetTickCount64() >= end) break;
    Sleep(50);
  }
  if (search.found == nullptr) return false;
  // Started by the program in the foreground, this copy may hand the
  // foreground on.
  SetForegroundWindow(search.found);
  return true;
}

}  // namespace showsaver
