// Message boxes and the settings dialog.  Method names are our own; the
// comment above each names the Win32 call it stands for.
#pragma once

#include <string>

#include "platform/window_handle.h"

namespace showsaver {

// Message box styles, as user32 has them.
namespace mb {
constexpr unsigned OK_INFORMATION = 0x40;
constexpr unsigned OK_EXCLAMATION = 0x30;
}  // namespace mb

// The settings dialog's behaviour.  The dialogs draw the dialog of
// platform/settings_dialog_design.h (a music and a sounds group box, each
// with an on and an off radio button; OK and Cancel buttons) and forward the
// user's actions here.
class SettingsDialog {
 public:
  virtual ~SettingsDialog() = default;
  // True when the group box's on radio button is selected, false for off.
  virtual bool music_on() const = 0;
  virtual bool sounds_on() const = 0;
  // A click on the group box's on (true) or off (false) radio button.
  virtual void choose_music(bool on) = 0;
  virtual void choose_sounds(bool on) = 0;
  // OK, also Enter: keeps the choice and hides the dialog.
  virtual void accept() = 0;
  // Cancel, also Esc: hides the dialog.
  virtual void cancel() = 0;
  // False once a button has hidden the dialog.
  virtual bool visible() const = 0;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // MessageBox: a modal message box with a single OK button and the icon of
  // `style` (mb::...); returns when dismissed.  UTF-8 texts.  `owner` is 0,
  // or the settings' owner (as for show_settings_dialog), which the box then
  // belongs to instead of the program's own open settings dialog or show
  // window.
  virtual void message_box(const std::string& text, const std::string& title, unsigned style,
                           WindowHandle owner) = 0;
  // Shows `dialog` modally; returns when it hides itself or is closed with
  // the close box.  It belongs to `owner` (the control panel's window, or
  // the foreground window), centred over it, and the owner is disabled while
  // the dialog is open; an owner that names no window (any more) gives way
  // to the foreground window.  0: no owner.
  virtual void show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) = 0;
  // Brings the settings dialog that another copy of this program shows to
  // the front, for a second request of the settings; nothing where there is
  // none, or where the dialogs cannot reach another program's windows.
  virtual void bring_settings_dialog_forward() {}
};

}  // namespace showsaver
