// The running program's own file, as the guards and marks of this program
// name it whichever way it was started.
#pragma once

#include <string>

namespace showsaver::win32 {

// The running program's full path, however long, with its long names (the
// desktop may start a screen saver by its short name); empty when unknown.
std::wstring running_program_path();

// The file name of `path` without folder and extension, lower-cased as
// Windows compares names: "\\server\share\Dir\Show.SCR" gives "show".
std::wstring program_base_name(std::wstring path);

}  // namespace showsaver::win32
