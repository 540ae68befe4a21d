#include "platform/win32/win32_host.h"

#include <windows.h>
// Needs <windows.h> before it.
#include <shlobj.h>

#include <string_view>

#include "platform/win32/program_file.h"
#include "platform/win32/registry_number.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

namespace showsaver {
namespace {

std::string with_backslash(std::wstring folder) {
  if (folder.empty()) return "";
  if (folder.back() != L'\\') folder += L'\\';
  return win32::to_utf8(folder);
}

// A system library, never one planted beside the program.
HMODULE load_system_library(const wchar_t* name) {
  return static_cast<HMODULE>(win32::load_system_library(name));
}

}  // namespace

Win32Host::Win32Host(std::string arguments) : arguments_(std::move(arguments)) {}

Win32Host::~Win32Host() {
  for (void* mutex : instance_mutexes_) {
    if (mutex != nullptr) CloseHandle(mutex);
  }
}

bool Win32Host::another_instance_running(InstanceGuard guard) {
  void*& held = instance_mutexes_[static_cast<std::size_t>(guard)];
  if (held != nullptr) return false;
  // In this session's namespace, per program: "showsaver." and
  // "showsaver-settings." never name the same mutex, whatever the base name.
  const wchar_t* kind =
      guard == InstanceGuard::Show ? L"Local\\showsaver." : L"Local\\showsaver-settings.";
  const std::wstring name = kind + win32::program_base_name(win32::running_program_path());
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) return false;  // no guard to be had: better to run than to refuse
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return true;
  }
  held = mutex;
  return false;
}

std::string Win32Host::program_path() {
  return win32::to_utf8(win32::running_program_path());
}

std::string Win32Host::extraction_parent() {
  wchar_t buffer[MAX_PATH + 1];
  const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return "";
  return with_backslash(std::wstring(buffer, length));
}

std::string Win32Host::fallback_extraction_parent() {
  wchar_t buffer[MAX_PATH + 2];
  const DWORD length = GetTempPathW(MAX_PATH + 2, buffer);
  if (length == 0 || length > MAX_PATH + 1) return "";
  return with_backslash(std::wstring(buffer, length));
}

std::string Win32Host::user_settings_folder() {
  PWSTR folder = nullptr;
  std::string result;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) {
    result = with_backslash(folder);
    if (!result.empty()) result += "showsaver\\";
  }
  CoTaskMemFree(folder);
  return result;
}

void Win32Host::log(const std::string& message) {
  OutputDebugStringW(win32::to_wide("showsaver: " + message + "\n").c_str());
}

std::optional<std::uint32_t> Win32Host::screen_save_use_password() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\desktop", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = REG_NONE;
  std::uint8_t data[64] = {};
  DWORD size = sizeof data;
  const LSTATUS status =
      RegQueryValueExW(key, L"ScreenSaveUsePassword", nullptr, &type, data, &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return win32::registry_number(type, std::span<const std::uint8_t>(data, size));
}

PasswordCheck Win32Host::verify_screen_saver_password(WindowHandle owner) {
  const HMODULE library = load_system_library(L"password.cpl");
  if (library == nullptr) return PasswordCheck::Unavailable;
  using Verify = BOOL(WINAPI*)(HWND);
  const auto verify = reinterpret_cast<Verify>(
      reinterpret_cast<void*>(GetProcAddress(library, "VerifyScreenSavePwd")));
  PasswordCheck check = PasswordCheck::Unavailable;
  if (verify != nullptr) {
    const BOOL right = verify(reinterpret_cast<HWND>(owner));
    // Only the low 16 bits tell.
    check = (right & 0xFFFF) != 0 ? PasswordCheck::Right : PasswordCheck::WrongOrCancelled;
  }
  FreeLibrary(library);
  return check;
}

void Win32Host::change_password(WindowHandle parent) {
  const HMODULE library = load_system_library(L"mpr.dll");
  using Change = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
  const auto change = library != nullptr ? reinterpret_cast<Change>(reinterpret_cast<void*>(
                                               GetProcAddress(library, "PwdChangePasswordA")))
                                         : nullptr;
  if (change != nullptr) {
    change("SCRSAVE", reinterpret_cast<HWND>(parent), 0, 0);
  } else {
    log("No screen-saver password to change here; the system's own sign-in is in charge.");
  }
  if (library != nullptr) FreeLibrary(library);
}

WindowHandle Win32Host::foreground_window() {
  return reinterpret_cast<WindowHandle>(GetForegroundWindow());
}

}  // namespace showsaver
