// The settings dialog on Windows: its design's template (built by
// settings_dialog_template.h) run modally, its buttons forwarded to the
// SettingsDialog.
#pragma once

#include "platform/dialogs.h"

namespace showsaver {

class Win32Desktop;

// Returns when a button has hidden the dialog or the close box closed it.
// The dialog belongs to `owner` (disabled meanwhile) and is centred over it;
// without one, to a hidden window of its own, which keeps it out of the
// taskbar.  While it is open, `desktop`'s message boxes belong to it.
void run_win32_settings_dialog(SettingsDialog& dialog, Win32Desktop& desktop, WindowHandle owner);

// Brings the settings dialog of another copy of this program (the same base
// name) to the front, waiting a little for one that is still being made.
// False when there is none.
bool bring_open_settings_dialog_forward();

}  // namespace showsaver
