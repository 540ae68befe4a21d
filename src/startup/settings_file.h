// The user's two settings and the 4-byte file that keeps them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "startup/run_state.h"

namespace showsaver {

struct UserSettings {
  std::int16_t BgmEnabled = 0;
  std::int16_t SoundEnabled = 0;
};

// No file: both on.  A file: music from bytes 0-1, sounds from bytes 2-3
// (little-endian; any nonzero value is on); bytes the file lacks read as 0.
// A file that exists but cannot be read leaves both off.
UserSettings read_settings(FileSystem& files, const std::string& settings_file);

// Writes the file anew: -1 or 0 for music, then for sounds.  The new file is
// written beside the old one and renamed over it, so a failure never leaves
// the user without settings.  Returns false when it could not be written.
bool write_settings(FileSystem& files, const std::string& settings_file, bool bgm_on,
                    bool sound_on);

// A program in a folder the user cannot write (a .scr in the system folder, a
// show installed read-only) keeps the settings in the user's own folder
// instead.  Reads the user's own settings file when it is a plain file, else
// the one beside the program (both on when there is neither), into `state`,
// and notes which one was read.
void read_settings_into(FileSystem& files, RunState& state);

// Saves the choice where the next start will read it: in the user's own file
// when that was read; else beside the program, and when that cannot be
// written, in the user's own folder (created, with any missing folder above
// it, when missing).  Returns false when it could be written nowhere.
bool save_settings(FileSystem& files, const RunState& state, bool bgm_on, bool sound_on);

}  // namespace showsaver
