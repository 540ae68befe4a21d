#include "platform/win32/winmm.h"

#include <windows.h>

#include "platform/media.h"
#include "platform/win32/system_library.h"

namespace showsaver::win32 {
namespace {

using MciSendStringFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, UINT, HWND);
using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

// Loaded once and kept for the life of the process: asynchronous sounds play
// on winmm's own threads.
struct Winmm {
  MciSendStringFunction mci_send_string = nullptr;
  PlaySoundFunction play_sound = nullptr;
};

template <typename Function>
Function find(HMODULE library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

const Winmm& winmm() {
  static const Winmm loaded = [] {
    const auto library = static_cast<HMODULE>(load_system_library(L"winmm.dll"));
    return Winmm{find<MciSendStringFunction>(library, "mciSendStringW"),
                 find<PlaySoundFunction>(library, "PlaySoundW")};
  }();
  return loaded;
}

}  // namespace

unsigned long mci_send_string(const wchar_t* command, wchar_t* reply, unsigned reply_capacity) {
  const MciSendStringFunction send = winmm().mci_send_string;
  if (send == nullptr) return media_error::kInvalidDeviceName;
  return send(command, reply, reply_capacity, nullptr);
}

bool play_sound(const wchar_t* sound, unsigned long flags) {
  const PlaySoundFunction play = winmm().play_sound;
  return play != nullptr && play(sound, nullptr, flags) != FALSE;
}

}  // namespace showsaver::win32
