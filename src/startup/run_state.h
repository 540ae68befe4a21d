// What the start-up sets once and everything else reads for the whole run.
#pragma once

#include <cstdint>
#include <string>

#include "package/show_package.h"

namespace showsaver {

// One naming for every member: the show's own vocabulary, which BgmEnabled,
// TempFolder and the others keep as they stand.
struct RunState {
  ShowPackage Package;
  std::string ProgramPackagePath;
  // Why the package could not be read, in the words of the show's error box;
  // empty when it was read.
  std::string PackageUnreadable;
  // The settings file beside the program, and the user's own one (empty when
  // the host names no folder for it); the settings were read from the user's
  // own file when `SettingsFromUserFile`.
  std::string SettingsFile;
  std::string UserSettingsFile;
  bool SettingsFromUserFile = false;
  std::int16_t BgmEnabled = 0;
  std::int16_t SoundEnabled = 0;
  // The extraction folder, ending with the path separator (show mode only).
  std::string TempFolder;
};

}  // namespace showsaver
