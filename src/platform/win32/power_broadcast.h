// The power events the show window hears: the display turning off and on
// (registered for with RegisterPowerSettingNotification) and the computer
// going to sleep and waking, all as WM_POWERBROADCAST.
#pragma once

#include <cstdint>

struct HWND__;

namespace showsaver {

// Asks for WM_POWERBROADCAST to `window` whenever the display turns off or on;
// the registration, or null.  Windows reports the display's state at once.
void* watch_display_state(HWND__* window);
void stop_watching_display_state(void* registration);

// What a WM_POWERBROADCAST means to the show's sound.
enum class PowerEvent {
  None,
  // The display turned off, or the computer is about to sleep.
  Silence,
  // The display turned on, or the computer woke for its user.
  SoundAgain,
};
PowerEvent power_event(std::uintptr_t wparam, std::intptr_t lparam);

}  // namespace showsaver
