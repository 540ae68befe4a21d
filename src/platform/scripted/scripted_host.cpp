#include "platform/scripted/scripted_host.h"

#include <algorithm>

namespace showsaver {

ScriptedHost::ScriptedHost(ScriptedHostSettings settings, VirtualClock& clock, EventLog& log)
    : settings_(std::move(settings)), clock_(clock), log_(log) {}

void ScriptedHost::record(std::string kind, std::vector<JsonField> fields) {
  log_.add(clock_.now(), clock_.elapsed(), std::move(kind), std::move(fields));
}

bool ScriptedHost::another_instance_running(InstanceGuard guard) {
  guards_asked_.push_back(guard);
  const auto& held = settings_.guards_held_elsewhere;
  return std::find(held.begin(), held.end(), guard) != held.end();
}

void ScriptedHost::log(const std::string& message) {
  logged_.push_back(message);
  record("log", {json_string("message", message)});
}

std::optional<std::uint32_t> ScriptedHost::screen_save_use_password() {
  record("registry_read",
         settings_.screen_save_use_password
             ? std::vector{json_number("value", *settings_.screen_save_use_password)}
             : std::vector{json_null("value")});
  return settings_.screen_save_use_password;
}

PasswordCheck ScriptedHost::verify_screen_saver_password(WindowHandle owner) {
  ++password_checks_;
  if (during_password_check_) during_password_check_();
  PasswordCheck result = PasswordCheck::Right;
  if (!password_results_.empty()) {
    result = password_results_.front();
    password_results_.pop_front();
  }
  const char* name = result == PasswordCheck::Right              ? "right"
                     : result == PasswordCheck::WrongOrCancelled ? "wrong"
                                                                 : "unavailable";
  record("password_check",
         {json_number("owner", static_cast<long long>(owner)), json_string("result", name)});
  return result;
}

void ScriptedHost::change_password(WindowHandle parent) {
  change_parents_.push_back(parent);
  record("password_change", {json_number("parent", static_cast<long long>(parent))});
}

}  // namespace showsaver
