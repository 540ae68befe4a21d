#include "platform/win32/win32_settings_dialog.h"

#include <windows.h>
// Needs <windows.h> before it.
#include <commctrl.h>

#include "platform/win32/settings_dialog_resource.h"
#include "platform/win32/win32_desktop.h"

namespace showsaver {
namespace {

struct DialogRun {
  SettingsDialog& dialog;
  Win32Desktop& desktop;
};

void end_dialog(HWND window, DialogRun& run, INT_PTR result) {
  run.desktop.set_dialog_window(nullptr);
  EndDialog(window, result);
}

void initialise(HWND window, DialogRun& run) {
  run.desktop.set_dialog_window(window);
  const int music = run.dialog.music_on() ? IDC_MUSIC_ON : IDC_MUSIC_OFF;
  CheckRadioButton(window, IDC_MUSIC_ON, IDC_MUSIC_OFF, music);
  CheckRadioButton(window, IDC_SOUNDS_ON, IDC_SOUNDS_OFF,
                   run.dialog.sounds_on() ? IDC_SOUNDS_ON : IDC_SOUNDS_OFF);
  // The first stop in the tab order is the first frame, whose place is its
  // selected button.
  SetFocus(GetDlgItem(window, music));
}

// Returns TRUE when the command was the dialog's.
INT_PTR command(HWND window, DialogRun& run, int id, int notification) {
  switch (id) {
    case IDC_MUSIC_ON:
    case IDC_MUSIC_OFF:
      if (notification == BN_CLICKED) run.dialog.choose_music(id == IDC_MUSIC_ON);
      return TRUE;
    case IDC_SOUNDS_ON:
    case IDC_SOUNDS_OFF:
      if (notification == BN_CLICKED) run.dialog.choose_sounds(id == IDC_SOUNDS_ON);
      return TRUE;
    case IDOK:  // also Enter
      run.dialog.accept();
      break;
    case IDCANCEL:  // also Esc
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

void run_win32_settings_dialog(SettingsDialog& dialog, Win32Desktop& desktop) {
  // The buttons of common controls 6, which the program's manifest asks for.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const HINSTANCE module = GetModuleHandleW(nullptr);
  const HWND owner =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module, nullptr);
  DialogRun run{dialog, desktop};
  DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_SETTINGS), owner, settings_dialog_procedure,
                  reinterpret_cast<LPARAM>(&run));
  desktop.set_dialog_window(nullptr);
  if (owner != nullptr) DestroyWindow(owner);
}

}  // namespace showsaver
