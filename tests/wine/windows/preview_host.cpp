// A small Windows program the Wine tests run as the control panel would run
// a screen saver's preview:
//   preview_host SCR CAPTURE.bmp
// makes a window with a client area of 152 x 112, starts SCR with
// "/p <its handle>", copies what the window shows into CAPTURE.bmp once the
// picture has come and holds still, destroys the window and waits up to 10 s
// for SCR to end.  Everything it finds goes to standard output, one
// "key value..." line each; the exit status is 0 when it could do what it
// was asked.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "formats/bmp/bmp_encoder.h"
#include "platform/pixel_image.h"
// After the seam's headers: <windows.h> defines macros named like their constants.
#include "platform/win32/dib_section.h"

namespace {

using showsaver::BmpFormat;
using showsaver::PixelImage;

constexpr int kWidth = 152;
constexpr int kHeight = 112;
constexpr DWORD kPictureMilliseconds = 60000;
constexpr DWORD kEndMilliseconds = 10000;

void print(const char* format, auto... values) {
  std::printf(format, values...);
  std::fflush(stdout);
}

// Answers the window's messages for `milliseconds`, or until `process` ends.
bool pump_while_running(HANDLE process, DWORD milliseconds) {
  const DWORD waited = MsgWaitForMultipleObjects(1, &process, FALSE, milliseconds, QS_ALLINPUT);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) DispatchMessageW(&message);
  return waited != WAIT_OBJECT_0;
}

// The window's client area, read from the window's own device context as an
// application's screenshot would.
PixelImage capture(HWND window) {
  PixelImage image{kWidth, kHeight, {}};
  const HDC window_dc = GetDC(window);
  const HDC memory_dc = CreateCompatibleDC(window_dc);
  void* bits = nullptr;
  const HBITMAP bitmap = showsaver::create_dib_section(kWidth, kHeight, &bits);
  if (bitmap != nullptr) {
    const HGDIOBJ previous = SelectObject(memory_dc, bitmap);
    BitBlt(memory_dc, 0, 0, kWidth, kHeight, window_dc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < kWidth * kHeight; ++i) image.pixels.push_back(pixels[i] & 0xFFFFFFu);
    SelectObject(memory_dc, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory_dc);
  ReleaseDC(window, window_dc);
  return image;
}

bool all_black(const PixelImage& image) {
  return std::all_of(image.pixels.begin(), image.pixels.end(),
                     [](std::uint32_t pixel) { return pixel == 0; });
}

bool write_bmp(const wchar_t* path, const PixelImage& image) {
  const auto encoded = showsaver::encode_bmp(image, BmpFormat{});
  const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&encoded);
  if (bytes == nullptr) return false;
  const HANDLE file =
      CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &written,
                            nullptr) != FALSE &&
                  written == bytes->size();
  CloseHandle(file);
  return ok;
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

// Waits until the window shows something other than black and the same
// twice in a row; prints how long it took.
PixelImage wait_for_picture(HWND window, HANDLE saver) {
  const ULONGLONG start = GetTickCount64();
  PixelImage previous;
  while (GetTickCount64() - start < kPictureMilliseconds) {
    if (!pump_while_running(saver, 100)) break;
    PixelImage image = capture(window);
    if (!all_black(image) && image == previous) {
      print("picture %llu\n", GetTickCount64() - start);
      return image;
    }
    previous = std::move(image);
  }
  print("picture none\n");
  return {};
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

  const PixelImage picture = wait_for_picture(window, process.hProcess);
  // Still running when the picture was taken: it plays until its window goes.
  print("running %d\n", WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT ? 1 : 0);
  // A preview never says that the screen saver runs.
  BOOL notice = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &notice, 0);
  print("notice %d\n", notice != FALSE ? 1 : 0);
  print("written %d\n", !picture.pixels.empty() && write_bmp(argv[2], picture) ? 1 : 0);

  const ULONGLONG destroyed = GetTickCount64();
  DestroyWindow(window);
  const ULONGLONG deadline = destroyed + kEndMilliseconds;
  while (GetTickCount64() < deadline && pump_while_running(process.hProcess, 100)) {
  }
  const bool ended = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  print("ended %d %llu %lu\n", ended ? 1 : 0, GetTickCount64() - destroyed, code);
  if (!ended) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hProcess);
  return 0;
}
