// The user's two settings and the 4-byte file that keeps them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

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

}  // namespace showsaver
