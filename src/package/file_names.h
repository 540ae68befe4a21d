// The one rule for names stored in a show: a name becomes a file by being
// appended to the extraction folder's path, so it must be one plain file
// name, on Windows and elsewhere.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace showsaver {

// Why `name` may not become a file in the extraction folder, as the end of a
// sentence that starts with the name ("... holds a path separator ('/')"), or
// nothing when it may.  Refused: "." and "..", path separators, drive and
// stream separators, control characters, device names, and the name of the
// player's own mark in the folder (whatever the case).
std::optional<std::string> unsafe_name_reason(std::string_view name);

// The file that marks an extraction folder as a running player's (see
// startup/temp_folder.h); no show's file may take its name.
inline constexpr std::string_view kInUseMarkerName = "~showsaver-in-use";

// True for the names Windows opens a device for (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9), whatever the case, extension or trailing spaces.
bool is_device_name(std::string_view name);

}  // namespace showsaver
