#include "startup/display_mode.h"

#include <algorithm>
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

// The options screen lockers give every display mode, which this one has no
// use for: xscreensaver's common options.
constexpr std::string_view kIgnoredOptions[] = {"window", "mono",   "install", "noinstall",
                                                "fps",    "no-fps", "pair"};
constexpr std::string_view kIgnoredOptionsWithValue[] = {"visual", "display"};

template <std::size_t N>
bool is_one_of(std::string_view name, const std::string_view (&names)[N]) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
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

DisplayModeArguments read_display_mode_arguments(const std::vector<std::string>& arguments) {
  DisplayModeArguments result;
  const auto fail = [&result](std::string error) {
    result.error = std::move(error);
    return result;
  };
  DisplayModeRequest request;
  bool any_option = false;
  bool display_mode = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::string_view name = option_name(argument);
    if (name.empty()) continue;  // a switch or a word
    any_option = true;
    const bool takes_value = name == "window-id" || name == "music" || name == "sounds" ||
                             is_one_of(name, kIgnoredOptionsWithValue);
    if (!takes_value) {
      if (name == "root") {
        display_mode = true;
      } else if (!is_one_of(name, kIgnoredOptions)) {
        return fail("unknown option \"" + argument + "\"");
      }
      continue;
    }
    if (i + 1 == arguments.size()) return fail(argument + " needs a value");
    const std::string& value = arguments[++i];
    if (name == "window-id") {
      request.window_id = parse_window_id(value);
      if (!request.window_id) return fail(argument + " takes a window id, not \"" + value + "\"");
      display_mode = true;
    } else if (name == "music" || name == "sounds") {
      const std::optional<bool> on = parse_on_off(value);
      if (!on) return fail(argument + " takes on or off, not \"" + value + "\"");
      (name == "music" ? request.music : request.sounds) = on;
    }
  }
  if (any_option && !display_mode) return fail("the options need --root or --window-id");
  if (display_mode) result.request = request;
  return result;
}

std::optional<DisplayModeRequest> display_mode_request(const std::vector<std::string>& arguments) {
  return read_display_mode_arguments(arguments).request;
}

std::string command_line_usage(const std::string& program) {
  const std::string indent = "       ";
  return "Usage: " + program +
         " /s | /c | /a | /p HWND\n"
         "         the show, its settings, the password (Windows), the preview in\n"
         "         the window HWND (Windows): the screen-saver switches\n" +
         indent + program +
         " --root | --window-id ID [--music on|off] [--sounds on|off]\n"
         "         the show in a screen locker's window\n" +
         indent + program + " --version\n";
}

void run_display_mode(Platform& platform, const DisplayModeRequest& request) {
  RunState state = read_run_state(platform);
  if (request.music) state.BgmEnabled = *request.music ? -1 : 0;
  if (request.sounds) state.SoundEnabled = *request.sounds ? -1 : 0;
  run_show_mode(platform, state, nullptr);
}

}  // namespace showsaver
