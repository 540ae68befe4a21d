// The message box on GTK: the style's icon, the text, one "OK" button.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <string>

namespace showsaver {

// The icon name of a MessageBox style (mb::...), or null for none.
const char* message_box_icon(unsigned style);

// Shows the box modally above `parent` (one of ours, may be null) or
// `foreign_owner` (an X11 window of someone else, may be 0); returns when it
// is dismissed with "OK", Enter, Esc or the close box, or the end is requested.
void run_message_box(const std::string& text, const std::string& title, unsigned style,
                     GtkWindow* parent, std::uintptr_t foreign_owner, int end_request_fd);

}  // namespace showsaver
