// A small Windows program the Wine tests run as the control panel would run
// a screen saver's preview:
//   preview_host SCR FOLDER
// makes a window with a client area of 152 x 112, starts SCR with
// "/p <its handle>", waits for the preview's window to show inside it,
// destroys the window and waits up to 10 s for SCR to end.  FOLDER is where
// the show is expected to put its files: it is looked for while the show
// plays and after it has ended.  Everything it finds goes to standard
// output, one "key value..." line each; the exit status is 0 when it could
// do what it was asked.
//
// It does not look at the preview's pixels: Wine (8) draws a child window
// whose top-level window belongs to another process nowhere (its X11 driver
// finds no X window to draw on), so those are checked in the backend's own
// tests, with the host window in the same process.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr int kWidth = 152;
constexpr int kHeight = 112;
constexpr ULONGLONG kPreviewMilliseconds = 60000;
constexpr ULONGLONG kEndMilliseconds = 10000;
constexpr const wchar_t* kShowWindowClass = L"showsaver.show";

void print(const char* format, auto... values) {
  std::printf(format, values...);
  std::fflush(stdout);
}

// Answers the window's messages for up to `milliseconds`; false once
// `process` has ended.
bool pump_while_running(HANDLE process, DWORD milliseconds) {
  const DWORD waited = MsgWaitForMultipleObjects(1, &process, FALSE, milliseconds, QS_ALLINPUT);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) DispatchMessageW(&message);
  return waited != WAIT_OBJECT_0;
}

HWND create_host_window() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  window_class.lpszClassName = L"preview_host";
  RegisterClassExW(&window_class);
  // A popup's client area is the whole window.  Shown without activation:
  // Wine without a window manager would wait for one in vain.
  const HWND window =
      CreateWindowExW(0, L"preview_host", L"preview_host", WS_POPUP, 100, 100, kWidth, kHeight,
                      nullptr, nullptr, window_class.hInstance, nullptr);
  if (window != nullptr) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

// The preview's window, once it shows inside `host`; null when none came
// within a minute or the show ended first.  Prints how long it took.
HWND wait_for_preview(HWND host, HANDLE saver) {
  const ULONGLONG start = GetTickCount64();
  while (GetTickCount64() - start < kPreviewMilliseconds && pump_while_running(saver, 50)) {
    const HWND child = FindWindowExW(host, nullptr, kShowWindowClass, nullptr);
    if (child != nullptr && IsWindowVisible(child) != FALSE) {
      print("preview %llu\n", GetTickCount64() - start);
      return child;
    }
  }
  print("preview none\n");
  return nullptr;
}

// "child W H CHILD": the preview's client area, and whether it is a child window.
void print_preview(HWND preview) {
  RECT client{};
  GetClientRect(preview, &client);
  const bool child = (GetWindowLongW(preview, GWL_STYLE) & WS_CHILD) != 0;
  print("child %ld %ld %d\n", client.right, client.bottom, child ? 1 : 0);
}

bool folder_exists(const wchar_t* folder) {
  const DWORD attributes = GetFileAttributesW(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const HWND window = create_host_window();
  if (window == nullptr) return 2;
  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\" /p " +
                         std::to_wstring(reinterpret_cast<std::uintptr_t>(window));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process) == FALSE) {
    return 2;
  }
  CloseHandle(process.hThread);

  if (const HWND preview = wait_for_preview(window, process.hProcess)) print_preview(preview);
  print("running %d\n", WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT ? 1 : 0);
  print("folder %d\n", folder_exists(argv[2]) ? 1 : 0);
  // A preview never says that the screen saver runs.
  BOOL notice = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &notice, 0);
  print("notice %d\n", notice != FALSE ? 1 : 0);

  const ULONGLONG destroyed = GetTickCount64();
  DestroyWindow(window);
  while (GetTickCount64() - destroyed < kEndMilliseconds &&
         pump_while_running(process.hProcess, 100)) {
  }
  const bool ended = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  print("ended %d %llu %lu\n", ended ? 1 : 0, GetTickCount64() - destroyed, code);
  if (!ended) TerminateProcess(process.hProcess, 99);
  WaitForSingleObject(process.hProcess, kEndMilliseconds);
  CloseHandle(process.hProcess);
  print("folder %d\n", folder_exists(argv[2]) ? 1 : 0);
  return 0;
}
