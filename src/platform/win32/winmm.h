// The two calls of winmm the player makes, with winmm loaded from the system
// folder on first use.  The program does not import winmm, which is not one
// of the DLLs Windows always takes from the system folder: so a winmm.dll
// beside the program is never loaded in its place.
#pragma once

namespace showsaver::win32 {

// mciSendStringW; MCIERR_INVALID_DEVICE_NAME (263) when winmm cannot be loaded.
unsigned long mci_send_string(const wchar_t* command, wchar_t* reply, unsigned reply_capacity);

// PlaySoundW(sound, no module, flags); false when winmm cannot be loaded.
bool play_sound(const wchar_t* sound, unsigned long flags);

}  // namespace showsaver::win32
