// The numbered folder the show's files are extracted into.
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace showsaver {

// Creates `parent` + "temp" + N for the smallest N from 1 up whose name is
// free, in one atomic step per candidate (a name that appears between two runs
// only pushes the number up).  `parent` ends with the path separator.  Returns
// the folder with a trailing separator, or nothing when none could be created.
std::optional<std::string> create_temp_folder(FileSystem& files, const std::string& parent);

}  // namespace showsaver
