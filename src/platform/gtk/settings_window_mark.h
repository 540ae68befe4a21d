// The mark by which a second copy of a program finds the settings dialog the
// first one shows, to bring it to the front instead of opening another: an
// X11 property on the dialog's window that names the program.
#pragma once

#include <gtk/gtk.h>

#include <string>

namespace showsaver {

// Marks `window` (realized) as the settings dialog of `program`; nothing off X11.
void mark_settings_window(GtkWindow* window, const std::string& program);

// Raises and focuses the window of `display` marked for `program`, waiting a
// little for one that is still being made; false when there is none.
bool present_settings_window(GdkDisplay* display, const std::string& program);

}  // namespace showsaver
