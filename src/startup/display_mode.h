// The display mode: the show drawn into a window that a screen locker owns.
// A locker starts its display programs with "-root" (the window is then named
// by $XSCREENSAVER_WINDOW, or is the root window) or "-window-id ID"; one or
// two leading dashes are accepted, as lockers write either.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace showsaver {

struct DisplayModeRequest {
  // The window of "-window-id" (decimal, or hexadecimal after "0x"); none
  // with "-root".
  std::optional<std::uint64_t> window_id;
  // "-music on|off" and "-sounds on|off": the locker's settings for this run,
  // which win over the settings file.
  std::optional<bool> music;
  std::optional<bool> sounds;
};

// What a command line says about the display mode.  Its options start with
// "-" or "--"; the screen-saver switches ("/s", "/c", ...) and other words
// are not options, and a command line without options is no display mode.
struct DisplayModeArguments {
  // The request when the options ask for the display mode and are all right.
  std::optional<DisplayModeRequest> request;
  // Empty, or what is wrong with the options: one that is not known, a value
  // that is not allowed or is missing, or options without "-root" or
  // "-window-id".  The common options screen lockers give every display
  // mode ("-visual ID", "-fps", "-install" ...) are known and ignored.
  std::string error;
};
DisplayModeArguments read_display_mode_arguments(const std::vector<std::string>& arguments);

// The request of read_display_mode_arguments: nothing when `arguments` (the
// command line after the program's name) do not ask for the display mode,
// or are wrong.
std::optional<DisplayModeRequest> display_mode_request(const std::vector<std::string>& arguments);

// What the program accepts, for the line after an error: `program` is the
// name it was started by.
std::string command_line_usage(const std::string& program);

// A window id as lockers pass it: decimal, or hexadecimal after "0x".
std::optional<std::uint64_t> parse_window_id(const std::string& text);

// Plays the show into the desktop's window until the desktop reports a stop
// (the locker ends the program with a signal), then cleans up as show mode
// does.  No single-instance check: the locker decides how many copies run
// (one per screen, and a preview in its settings).
void run_display_mode(Platform& platform, const DisplayModeRequest& request);

}  // namespace showsaver
