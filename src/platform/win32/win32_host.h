// The host services on Windows: single instance, the program's own path and
// arguments, the folders, the debug log, the desktop's password setting and
// the system's screen-saver password services.
#pragma once

#include <array>
#include <string>

#include "platform/host.h"

namespace showsaver {

class Win32Host final : public Host {
 public:
  // `arguments`: the command line after the program's name, as WinMain gets it.
  explicit Win32Host(std::string arguments);
  ~Win32Host() override;
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  // A named mutex per guard in this session, named after the program's base
  // name and held for the life of this object.
  bool another_instance_running(InstanceGuard guard) override;
  // GetModuleFileNameW, short (8.3) names spelled out long.
  std::string program_path() override;
  std::string arguments() override { return arguments_; }
  // GetWindowsDirectoryW with "\" appended.
  std::string extraction_parent() override;
  // GetTempPathW: the user's own temp folder.
  std::string fallback_extraction_parent() override;
  // The roaming application data folder's "showsaver\".
  std::string user_settings_folder() override;
  // OutputDebugStringW, for a debugger or a debug view.
  void log(const std::string& message) override;
  // HKCU\Control Panel\desktop\ScreenSaveUsePassword, read as a number (see
  // registry_number.h for text values).
  std::optional<std::uint32_t> screen_save_use_password() override;
  // VerifyScreenSavePwd of password.cpl, looked up at the moment of the
  // check; systems without it (every NT system) answer Unavailable.
  PasswordCheck verify_screen_saver_password(WindowHandle owner) override;
  // PwdChangePasswordA of mpr.dll, looked up at the moment of the call, for
  // the "SCRSAVE" provider; where it is missing, the call only logs.
  void change_password(WindowHandle parent) override;
  // GetForegroundWindow.
  WindowHandle foreground_window() override;

 private:
  std::string arguments_;
  // By InstanceGuard.
  std::array<void*, 2> instance_mutexes_{};
};

}  // namespace showsaver
