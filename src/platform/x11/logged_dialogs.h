// The display mode's dialogs: none.  Nobody could answer a box under a
// screen locker, so a message box's title and text go to the log on one
// line, and the settings dialog is not shown.
#pragma once

#include "platform/dialogs.h"

namespace showsaver {

class LoggedDialogs final : public Dialogs {
 public:
  void message_box(const std::string& text, const std::string& title, unsigned style,
                   WindowHandle owner) override;
  void show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) override;
};

}  // namespace showsaver
