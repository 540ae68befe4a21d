#include "platform/win32/desktop_layout.h"

#include "platform/picture_placement.h"
#include "platform/picture_scaling.h"

// clang-format off
// Last: <windows.h> defines macros that clash with the seam's constants.
#include <windows.h>
// clang-format on

namespace showsaver {
namespace {

constexpr int kUnscaledDpi = 96;
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// shcore's GetDpiForMonitor, from Windows 8.1 on; null before.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
GetDpiForMonitorFunction get_dpi_for_monitor() {
  static const GetDpiForMonitorFunction function = [] {
    const HMODULE library = LoadLibraryW(L"shcore.dll");
    return library == nullptr ? nullptr
                              : reinterpret_cast<GetDpiForMonitorFunction>(reinterpret_cast<void*>(
                                    GetProcAddress(library, "GetDpiForMonitor")));
  }();
  return function;
}

int primary_monitor_dpi() {
  if (const auto get_dpi = get_dpi_for_monitor()) {
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    UINT x = 0;
    UINT y = 0;
    if (SUCCEEDED(get_dpi(primary, kEffectiveDpi, &x, &y)) && x > 0) return static_cast<int>(x);
  }
  // Before Windows 8.1 every monitor has the system's DPI.
  const HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kUnscaledDpi;
}

}  // namespace

int primary_monitor_scale_percent() {
  return MulDiv(primary_monitor_dpi(), 100, kUnscaledDpi);
}

DesktopLayout current_desktop_layout(Size picture) {
  DesktopLayout layout;
  layout.window = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                   GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  // The primary monitor's corner is (0, 0) of the screen coordinates.
  const Size primary{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const Size shown = presented_size(picture, primary, primary_monitor_scale_percent());
  layout.picture = centred_area(primary, shown);
  layout.picture.left -= layout.window.left;
  layout.picture.top -= layout.window.top;
  return layout;
}

DesktopLayout preview_layout(Size picture, Size client) {
  return {{0, 0, client.width, client.height}, fitted_area(picture, client)};
}

}  // namespace showsaver
