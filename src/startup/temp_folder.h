// The numbered folder the show's files are extracted into, marked as in use
// while the show plays, and the folders that killed copies left behind.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace showsaver {

// Creates `parent` + "temp" + N for the smallest N from 1 up whose name is
// free, in one atomic step per candidate (a name that appears between two runs
// only pushes the number up).  `parent` ends with the path separator.  Returns
// the folder with a trailing separator, or nothing when none could be created.
std::optional<std::string> create_temp_folder(FileSystem& files, const std::string& parent);

// The in-use mark of an extraction folder: a file in it (named
// kInUseMarkerName) that lists the show's file names and that the running
// copy holds, so that no other copy takes the folder for abandoned.
// Nothing when it cannot be made (the show then plays with an unmarked
// folder, which no copy will ever clean up for it).  Dropping it deletes it.
std::unique_ptr<HeldMarker> mark_in_use(FileSystem& files, const std::string& folder,
                                        const std::vector<std::string>& file_names);

// Removes the numbered folders in `parent` that a copy killed while it
// played left behind: a "tempN" folder of this user whose mark no running
// copy holds.  Only the files the mark lists and the mark itself are
// deleted; a folder that holds anything else stays.  Folders without the
// mark, a running copy's among them, are never touched.
void remove_abandoned_temp_folders(FileSystem& files, const std::string& parent);

}  // namespace showsaver
