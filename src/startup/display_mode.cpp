#include "startup/display_mode.h"

#include <charconv>
#include <string_view>

#include "startup/program_entry.h"

namespace showsaver {
namespace {

// "-name" or "--name" as `name`; anything else as an empty view.
std::string_view option_name(std::string_view argument) {
  if (argument.starts_with("--")) return argument.substr(2);
  if (argument.starts_with("-")) return argument.substr(1);
  return {};
}

std::optional<bool> parse_on_off(const std::string& text) {
  if (text == "on") return true;
  if (text == "off") return false;
  return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> parse_window_id(const std::string& text) {
  std::string_view digits = text;
  int base = 10;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    digits.remove_prefix(2);
    base = 16;
  }
  std::uint64_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
      value == 0) {
    return std::nullopt;
  }
  return value;
}

std::optional<DisplayModeRequest> display_mode_request(const std::vector<std::string>& arguments) {
  DisplayModeRequest request;
  bool display_mode = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view name = option_name(arguments[i]);
    const bool has_value = i + 1 < arguments.size();
    if (name == "root") {
      display_mode = true;
    } else if (name == "window-id" || name == "music" || name == "sounds") {
      if (!has_value) return std::nullopt;
      const std::string& value = arguments[++i];
      if (name == "window-id") {
        request.window_id = parse_window_id(value);
        if (!request.window_id) return std::nullopt;
        display_mode = true;
      } else {
        const std::optional<bool> on = parse_on_off(value);
        if (!on) return std::nullopt;
        (name == "music" ? request.music : request.sounds) = on;
      }
    }
  }
  if (!display_mode) return std::nullopt;
  return request;
}

void run_display_mode(Platform& platform, const DisplayModeRequest& request) {
  RunState state = read_run_state(platform);
  if (request.music) state.BgmEnabled = *request.music ? -1 : 0;
  if (request.sounds) state.SoundEnabled = *request.sounds ? -1 : 0;
  run_show_mode(platform, state, nullptr);
}

}  // namespace showsaver
