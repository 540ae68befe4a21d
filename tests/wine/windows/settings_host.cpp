// A small Windows program the Wine tests run in place of the control panel,
// to ask a screen saver for its settings as Windows does:
//   settings_host SCR
// makes a window of its own, starts "SCR /c:HWND" and, while that dialog is
// open, starts "SCR /s" (the show must still start), then "SCR /c" again
// (which must bring the open dialog to the front and end); then closes the
// dialog.  Then starts SCR with no argument, and with a handle that names no
// window, while a window of its own is in the foreground: that window must
// own the dialog.  Everything it finds goes to standard output, one
// "key value..." line each; the exit status is 0 when it could do what it
// was asked.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kWaitMilliseconds = 60000;

void print(const char* format, auto... values) {
  std::printf(format, values...);
  std::fflush(stdout);
}

// Answers the messages of this thread's windows (the dialog's owner among
// them) until `done` holds or the time is up.
template <typename Done>
bool pump_until(Done done, DWORD milliseconds = kWaitMilliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!done()) {
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) DispatchMessageW(&message);
  }
  return true;
}

HANDLE start(const std::wstring& program, const std::wstring& arguments) {
  std::wstring command = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process) == FALSE) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

// The exit code once the process has ended, -1 when it had not by then.
long wait_for_end(HANDLE process) {
  DWORD code = 0;
  if (!pump_until([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; })) return -1;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return static_cast<long>(code);
}

struct DialogSearch {
  DWORD process_id;
  HWND found;
  int count;
};

BOOL CALLBACK look_for_dialog(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<DialogSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t title[16] = {};
  GetWindowTextW(window, title, 16);
  if ((search.process_id == 0 || owner == search.process_id) && IsWindowVisible(window) &&
      std::wstring(title) == L"設定") {
    search.found = window;
    ++search.count;
  }
  return TRUE;
}

// The visible settings dialogs of `process_id` (0: of anyone).
DialogSearch dialogs_of(DWORD process_id) {
  DialogSearch search{process_id, nullptr, 0};
  EnumWindows(look_for_dialog, reinterpret_cast<LPARAM>(&search));
  return search;
}

HWND wait_for_dialog(HANDLE process) {
  HWND dialog = nullptr;
  pump_until([&] {
    dialog = dialogs_of(GetProcessId(process)).found;
    return dialog != nullptr;
  });
  return dialog;
}

HWND make_window(const wchar_t* title, int left) {
  // Shown first and activated after: Wine without a window manager would
  // wait for one in vain when a window activated as it was shown goes.
  const HWND window = CreateWindowExW(0, L"STATIC", title, WS_POPUP | WS_BORDER, left, 100, 400,
                                      300, nullptr, nullptr, nullptr, nullptr);
  if (window != nullptr) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

bool centred_over(HWND dialog, HWND owner) {
  RECT a{};
  RECT b{};
  GetWindowRect(dialog, &a);
  GetWindowRect(owner, &b);
  return std::abs((a.left + a.right) - (b.left + b.right)) <= 2 &&
         std::abs((a.top + a.bottom) - (b.top + b.bottom)) <= 2;
}

void close_dialog(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

int ask_for_settings(const std::wstring& program) {
  const HWND panel = make_window(L"control panel", 50);
  const HWND other = make_window(L"another program", 500);
  if (panel == nullptr || other == nullptr) return 2;
  const HANDLE first = start(program, L"/c:" + std::to_wstring(reinterpret_cast<UINT_PTR>(panel)));
  if (first == nullptr) return 2;
  const HWND dialog = wait_for_dialog(first);
  print("dialog %d\n", dialog != nullptr ? 1 : 0);
  if (dialog == nullptr) return 1;
  print("owner %d disabled %d centred %d\n", GetWindow(dialog, GW_OWNER) == panel ? 1 : 0,
        IsWindowEnabled(panel) == FALSE ? 1 : 0, centred_over(dialog, panel) ? 1 : 0);

  const HANDLE show = start(program, L"/s");
  HWND show_window = nullptr;
  pump_until([&] { return (show_window = FindWindowW(L"showsaver.show", nullptr)) != nullptr; });
  print("show %d\n", show_window != nullptr ? 1 : 0);
  if (show_window != nullptr) PostMessageW(show_window, WM_CLOSE, 0, 0);
  print("show_ended %ld\n", show != nullptr ? wait_for_end(show) : -2);

  SetForegroundWindow(other);
  pump_until([&] { return GetForegroundWindow() == other; }, 2000);
  const HANDLE second = start(program, L"/c");
  print("second_ended %ld\n", second != nullptr ? wait_for_end(second) : -2);
  pump_until([&] { return GetForegroundWindow() == dialog; }, 2000);
  print("dialogs %d foreground %d\n", dialogs_of(0).count, GetForegroundWindow() == dialog ? 1 : 0);

  close_dialog(dialog);
  const long first_ended = wait_for_end(first);
  print("first_ended %ld enabled %d\n", first_ended, IsWindowEnabled(panel) != FALSE ? 1 : 0);

  // Explorer's Configure, and a handle that names no window: the foreground
  // window owns the dialog.
  for (const wchar_t* arguments : {L"", L"/c:1"}) {
    SetForegroundWindow(other);
    pump_until([&] { return GetForegroundWindow() == other; }, 2000);
    const HANDLE process = start(program, arguments);
    const HWND shown = process != nullptr ? wait_for_dialog(process) : nullptr;
    print("unnamed %d owner %d disabled %d\n", shown != nullptr ? 1 : 0,
          shown != nullptr && GetWindow(shown, GW_OWNER) == other ? 1 : 0,
          IsWindowEnabled(other) == FALSE ? 1 : 0);
    if (shown != nullptr) close_dialog(shown);
    const long ended = process != nullptr ? wait_for_end(process) : -2;
    print("unnamed_ended %ld enabled %d\n", ended, IsWindowEnabled(other) != FALSE ? 1 : 0);
  }
  DestroyWindow(other);
  DestroyWindow(panel);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  return ask_for_settings(argv[1]);
}
