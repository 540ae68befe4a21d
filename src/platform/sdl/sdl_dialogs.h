// Dialogs on SDL's own message boxes, for when no widget toolkit can be used:
// each message box is SDL's, and the settings dialog is the sequence of
// button boxes of sdl_settings_dialog.h.  SDL needs a helper program for its
// boxes on some desktops; without one, the text goes to the log.
#pragma once

#include "platform/dialogs.h"

namespace showsaver {

class SdlDialogs final : public Dialogs {
 public:
  // The owner is not used: SDL's boxes stand on their own.
  void message_box(const std::string& text, const std::string& title, unsigned style,
                   WindowHandle owner) override;
  void show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) override;
};

}  // namespace showsaver
