// The desktop's modal dialogs, for a desktop that draws its show window with
// one toolkit and asks the user things with another.
#pragma once

#include <cstdint>
#include <string>

#include "platform/desktop.h"

namespace showsaver {

// A window of the window system (an X11 window id), 0 for none.
using NativeWindow = std::uintptr_t;

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // MessageBox: modal, one OK button, the icon of `style` (mb::...), above
  // `owner` when there is one; returns when dismissed.  UTF-8 texts.
  virtual void message_box(const std::string& text, const std::string& title, unsigned style,
                           NativeWindow owner) = 0;
  // Shows `dialog` modally, above `owner` when there is one; returns when it
  // hides itself or is closed with the close box.
  virtual void show_settings_dialog(SettingsDialog& dialog, NativeWindow owner) = 0;
  // Brings the settings dialog another copy of this program shows to the
  // front; nothing where the dialogs cannot reach another program's windows.
  virtual void bring_settings_dialog_forward() {}
};

}  // namespace showsaver
