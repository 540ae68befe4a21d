// What the start-up sets once and everything else reads for the whole run.
#pragma once

#include <cstdint>
#include <string>

#include "package/show_package.h"

namespace showsaver {

struct RunState {
  ShowPackage package;
  std::string ProgramPackagePath;
  std::string SettingsFile;
  std::int16_t BgmEnabled = 0;
  std::int16_t SoundEnabled = 0;
  // The extraction folder, ending with the path separator (show mode only).
  std::string TempFolder;
};

}  // namespace showsaver
