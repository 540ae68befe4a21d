// A host for tests and rendering: scripted registry value, password results,
// single-instance answer and program location.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/scripted/event_log.h"
#include "platform/scripted/virtual_clock.h"

namespace showsaver {

struct ScriptedHostSettings {
  std::string program_path = "/showsaver/show.scr";
  std::string arguments = "/S";
  std::string extraction_parent = "/tmp/";
  std::string fallback_extraction_parent;
  std::string user_settings_folder;
  // The guards another copy holds.
  std::vector<InstanceGuard> guards_held_elsewhere;
  std::optional<std::uint32_t> screen_save_use_password;
  WindowHandle foreground_window = 0x2A0;
};

class ScriptedHost final : public Host {
 public:
  ScriptedHost(ScriptedHostSettings settings, VirtualClock& clock, EventLog& log);

  // Results of successive password checks; once used up, every check is right.
  void set_password_results(std::deque<PasswordCheck> results) {
    password_results_ = std::move(results);
  }

  // Runs while each password dialog is up (the user may move the mouse meanwhile).
  void during_password_check(std::function<void()> action) {
    during_password_check_ = std::move(action);
  }

  void set_fallback_extraction_parent(std::string folder) {
    settings_.fallback_extraction_parent = std::move(folder);
  }

  int password_checks() const { return password_checks_; }
  const std::vector<WindowHandle>& password_change_parents() const { return change_parents_; }
  const std::vector<std::string>& logged() const { return logged_; }
  // The guards asked for, in order.
  const std::vector<InstanceGuard>& guards_asked() const { return guards_asked_; }

  bool another_instance_running(InstanceGuard guard) override;
  std::string program_path() override { return settings_.program_path; }
  std::string arguments() override { return settings_.arguments; }
  std::string extraction_parent() override { return settings_.extraction_parent; }
  std::string fallback_extraction_parent() override { return settings_.fallback_extraction_parent; }
  std::string user_settings_folder() override { return settings_.user_settings_folder; }
  void log(const std::string& message) override;
  std::optional<std::uint32_t> screen_save_use_password() override;
  PasswordCheck verify_screen_saver_password(WindowHandle owner) override;
  void change_password(WindowHandle parent) override;
  WindowHandle foreground_window() override { return settings_.foreground_window; }

 private:
  void record(std::string kind, std::vector<JsonField> fields = {});

  ScriptedHostSettings settings_;
  VirtualClock& clock_;
  EventLog& log_;
  std::deque<PasswordCheck> password_results_;
  std::function<void()> during_password_check_;
  int password_checks_ = 0;
  std::vector<InstanceGuard> guards_asked_;
  std::vector<WindowHandle> change_parents_;
  std::vector<std::string> logged_;
};

}  // namespace showsaver
