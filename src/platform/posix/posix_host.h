// The host services on Linux and other POSIX desktops.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/host.h"

namespace showsaver {

class PosixHost final : public Host {
 public:
  // `program_path` is the running program (argv[0] resolved); `arguments` the
  // command line after it, joined by spaces.
  PosixHost(std::string program_path, std::string arguments);
  ~PosixHost() override;
  PosixHost(const PosixHost&) = delete;
  PosixHost& operator=(const PosixHost&) = delete;

  // A lock file per guard named after the program in the user's runtime
  // folder ($XDG_RUNTIME_DIR, else /tmp), held with an exclusive advisory
  // lock for the life of this object and removed with it.
  bool another_instance_running(InstanceGuard guard) override;
  std::string program_path() override { return program_path_; }
  std::string arguments() override { return arguments_; }
  // $XDG_RUNTIME_DIR, else $TMPDIR, else /tmp.
  std::string extraction_parent() override;
  std::string fallback_extraction_parent() override;
  // $XDG_CONFIG_HOME/showsaver/, else $HOME/.config/showsaver/.
  std::string user_settings_folder() override;
  void log(const std::string& message) override;
  // There is no such registry value here: the desktop's own locker is in charge.
  std::optional<std::uint32_t> screen_save_use_password() override { return std::nullopt; }
  PasswordCheck verify_screen_saver_password(WindowHandle) override {
    return PasswordCheck::Unavailable;
  }
  void change_password(WindowHandle parent) override;
  WindowHandle foreground_window() override { return 0; }

  std::string lock_file_path(InstanceGuard guard = InstanceGuard::Show) const;

 private:
  struct HeldLock {
    int fd = -1;
    std::string path;
  };

  std::string program_path_;
  std::string arguments_;
  // By InstanceGuard.
  std::array<HeldLock, 2> locks_;
};

// The running program's own path (/proc/self/exe), or `fallback`.
std::string running_program_path(const std::string& fallback);

}  // namespace showsaver
