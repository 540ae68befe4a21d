// A show as an xscreensaver display mode: its line in the `programs:`
// resource of the user's ~/.xscreensaver, added and removed without
// touching any other byte of the file.
//
// The resource is one X resource value over many lines: each line but the
// last ends with a backslash, and "\n" separates the display modes.  A mode
// is `[-] [VISUAL:] ["Label"] command`.  Only lines that hold one whole mode
// are ever removed, so a mode the user wrote over several lines, or a line
// that merely mentions the show, is left alone.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace showsaver::showpack {

enum class ProgramsEditOutcome {
  Changed,        // `text` is the new file
  AlreadyListed,  // adding: the show has its line already; nothing to write
  NotListed,      // removing: the show has no line; nothing to write
  Refused,        // the file is absent or has no usable `programs:` resource
};

struct ProgramsEdit {
  ProgramsEditOutcome outcome = ProgramsEditOutcome::Refused;
  std::string text;     // the whole new file, when Changed
  std::string message;  // one sentence for the user, whatever the outcome
};

// The display mode's command for the show at `show_path` (absolute): the
// path, quoted for sh where it needs to be, and "--root".  Nothing when the
// path holds a character the resource or sh would take apart (a quote, a
// backslash, a control character).
std::optional<std::string> display_mode_command(const std::string& show_path);

// Adds the line `"label" COMMAND \n\` for the show to `settings`, the bytes
// of ~/.xscreensaver (nothing: the file is absent).  A label holds no quote,
// backslash or control character.
ProgramsEdit add_show_to_programs(const std::optional<std::string>& settings,
                                  const std::string& label, const std::string& show_path);

// Removes every line that starts the show at `show_path` (enabled, or
// disabled with "-"), and nothing else.
ProgramsEdit remove_show_from_programs(const std::optional<std::string>& settings,
                                       const std::string& show_path);

}  // namespace showsaver::showpack
