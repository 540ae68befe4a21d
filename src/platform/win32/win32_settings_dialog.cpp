#include "platform/win32/win32_settings_dialog.h"

#include <windows.h>
// Needs <windows.h> before it.
#include <commctrl.h>

#include "platform/settings_dialog_design.h"
#include "platform/win32/settings_dialog_template.h"
#include "platform/win32/win32_desktop.h"

namespace showsaver {
namespace {

// Enter and Esc press the buttons of these numbers.
static_assert(kOkButtonId == IDOK && kCancelButtonId == IDCANCEL);

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

void run_win32_settings_dialog(SettingsDialog& dialog, Win32Desktop& desktop) {
  // The buttons of common controls 6, which the program's manifest asks for.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const HINSTANCE module = GetModuleHandleW(nullptr);
  const HWND owner =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module, nullptr);
  DialogRun run{dialog, desktop};
  const std::vector<std::uint16_t> dialog_template = win32::settings_dialog_template();
  DialogBoxIndirectParamW(module, reinterpret_cast<const DLGTEMPLATE*>(dialog_template.data()),
                          owner, settings_dialog_procedure, reinterpret_cast<LPARAM>(&run));
  desktop.set_dialog_window(nullptr);
  if (owner != nullptr) DestroyWindow(owner);
}

}  // namespace showsaver
