// What the player is handed by the start-up: the show and where its files
// are, with the user's two settings, and where it plays.  Nothing of it
// changes during the show.
#pragma once

#include <cstdint>
#include <string>

#include "package/show_package.h"
#include "platform/window_handle.h"

namespace showsaver {

struct ShowContext {
  const ShowPackage& package;
  // The folder the show's files were extracted into, ending with the path separator.
  std::string TempFolder;
  std::int16_t BgmEnabled = 0;
  std::int16_t SoundEnabled = 0;
  // The window the show plays in as a preview (the control panel's preview
  // box), or 0 for the full-screen show.  A preview belongs to that window's
  // program: it plays no music or sound, leaves the cursor, the password and
  // the system's notices alone, and ends only when that window goes.
  WindowHandle PreviewWindow = 0;
  // Set when the show could not be read (the package is then empty): the
  // text the error box shows instead of the failure that follows from it.
  std::string unreadable = {};

  bool preview() const { return PreviewWindow != 0; }
};

}  // namespace showsaver
