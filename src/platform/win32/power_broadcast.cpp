#include "platform/win32/power_broadcast.h"

#include <cstring>

// clang-format off
// Last: <windows.h> defines macros that clash with the seam's constants.
#include <windows.h>
// clang-format on

namespace showsaver {
namespace {

// GUID_CONSOLE_DISPLAY_STATE's values.
constexpr DWORD kDisplayOff = 0;
constexpr DWORD kDisplayOn = 1;

}  // namespace

void* watch_display_state(HWND window) {
  return RegisterPowerSettingNotification(window, &GUID_CONSOLE_DISPLAY_STATE,
                                          DEVICE_NOTIFY_WINDOW_HANDLE);
}

void stop_watching_display_state(void* registration) {
  if (registration != nullptr) UnregisterPowerSettingNotification(registration);
}

PowerEvent power_event(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case PBT_APMSUSPEND:
      return PowerEvent::Silence;
    // Sent only when the user woke the computer; PBT_APMRESUMEAUTOMATIC
    // also comes when it wakes on its own, with the display off.
    case PBT_APMRESUMESUSPEND:
      return PowerEvent::SoundAgain;
    case PBT_POWERSETTINGCHANGE: {
      const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lparam);
      if (setting == nullptr || setting->PowerSetting != GUID_CONSOLE_DISPLAY_STATE ||
          setting->DataLength < sizeof(DWORD)) {
        return PowerEvent::None;
      }
      DWORD state = 0;
      std::memcpy(&state, setting->Data, sizeof state);
      // A dimmed display (2) is still seen.
      if (state == kDisplayOff) return PowerEvent::Silence;
      if (state == kDisplayOn) return PowerEvent::SoundAgain;
      return PowerEvent::None;
    }
    default:
      return PowerEvent::None;
  }
}

}  // namespace showsaver
