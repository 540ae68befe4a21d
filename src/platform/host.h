// The host seam: the Windows folder, the password services, the desktop's
// password setting, the foreground window and single-instance detection.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/window_handle.h"

namespace showsaver {

enum class PasswordCheck {
  Right,
  WrongOrCancelled,
  // The system has no screen-saver password check of its own (its lock is in charge).
  Unavailable,
};

// What one copy of a program at a time may do.  Each has a guard of its own:
// a settings dialog never keeps a show from starting, nor a show a dialog.
enum class InstanceGuard { Show, Settings };

class Host {
 public:
  virtual ~Host() = default;

  // True when another copy of this program holds `guard`.  Otherwise this
  // process claims it, for as long as the host lives; asking again for a
  // guard this process holds answers false.
  virtual bool another_instance_running(InstanceGuard guard) = 0;
  // The full path of the running program file.
  virtual std::string program_path() = 0;
  // The command line without the program's own name.
  virtual std::string arguments() = 0;
  // The folder the numbered extraction folder goes into, ending with the path
  // separator; empty when it cannot be determined (GetWindowsDirectory failed).
  virtual std::string extraction_parent() = 0;
  // Where the folder goes when `extraction_parent` cannot be written (the
  // user's own temp folder on Windows); empty when there is no other place.
  virtual std::string fallback_extraction_parent() = 0;
  // The user's own folder for this program's settings, ending with the path
  // separator (%APPDATA%\showsaver\ on Windows, $XDG_CONFIG_HOME/showsaver/
  // elsewhere); empty when there is none.  It may not exist yet.
  virtual std::string user_settings_folder() = 0;
  // A diagnostic for the developer or the system log (never a dialog).
  virtual void log(const std::string& message) = 0;

  // The 32-bit data of HKCU\Control Panel\desktop\ScreenSaveUsePassword, or
  // nothing when the key cannot be opened or the value cannot be read.
  virtual std::optional<std::uint32_t> screen_save_use_password() = 0;
  // VerifyScreenSavePwd of "password.cpl": the system's password dialog,
  // owned by `owner`.
  virtual PasswordCheck verify_screen_saver_password(WindowHandle owner) = 0;
  // PwdChangePasswordA of mpr.dll for the screen saver's password provider.
  virtual void change_password(WindowHandle parent) = 0;
  // GetForegroundWindow.
  virtual WindowHandle foreground_window() = 0;
};

}  // namespace showsaver
