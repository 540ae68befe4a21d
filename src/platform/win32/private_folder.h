// Folders only their user can open: the extraction folder holds the show's
// files while it plays, and nobody else signed in to the machine is to read
// or change them there.
#pragma once

#include <string>

namespace showsaver::win32 {

// CreateDirectoryW with an access list of two entries, both inherited by
// everything made inside: full control for the user this program runs as,
// and for the system (which backs up and indexes what is on the disk).
// Nothing is inherited from the parent.  Where that list cannot be made, the
// folder takes its parent's, as CreateDirectoryW without one does.  False
// (with GetLastError's code) when the folder cannot be created.
bool create_private_folder(const std::wstring& path);

}  // namespace showsaver::win32
