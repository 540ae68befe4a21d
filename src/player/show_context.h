// What the player is handed by the start-up: the show and where its files
// are, with the user's two settings.  Nothing of it changes during the show.
#pragma once

#include <cstdint>
#include <string>

#include "package/show_package.h"

namespace showsaver {

struct ShowContext {
  const ShowPackage& package;
  // The folder the show's files were extracted into, ending with the path separator.
  std::string TempFolder;
  std::int16_t BgmEnabled = 0;
  std::int16_t SoundEnabled = 0;
};

}  // namespace showsaver
