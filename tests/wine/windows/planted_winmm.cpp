// A stand-in for winmm.dll that someone could leave beside a downloaded
// screen saver: when any process loads it, it writes "winmm-loaded.txt" into
// its own folder.  It answers the two calls the player makes, as a system
// without sound would, so that a player that loads it still runs and the
// marker alone tells.
// Without the multimedia declarations, which would clash with these.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

namespace {

void leave_marker(HINSTANCE module) {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return;
  path.resize(length);
  path.erase(path.find_last_of(L'\\') + 1);
  path += L"winmm-loaded.txt";
  const HANDLE marker = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) leave_marker(module);
  return TRUE;
}

// MCIERR_INVALID_DEVICE_NAME: what a system without the device answers.
__declspec(dllexport) DWORD WINAPI mciSendStringW(LPCWSTR, LPWSTR, UINT, HWND) {
  return 263;
}

__declspec(dllexport) BOOL WINAPI PlaySoundW(LPCWSTR, HMODULE, DWORD) {
  return FALSE;
}

}  // extern "C"
