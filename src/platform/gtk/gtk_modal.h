// Running one GTK window as a modal dialog.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>

namespace showsaver {

// Shows `window` centred and focused, and runs GTK's main loop until the
// window is hidden.  The close box, and `end_request_fd` (or -1) becoming
// readable, hide it as well.  The caller destroys the window afterwards with
// destroy_modal_window.
void run_modal(GtkWindow* window, int end_request_fd);

// Destroys `window` and waits until the display has taken it off the screen.
void destroy_modal_window(GtkWindow* window);

// Common set-up of our dialog windows: a fixed-size dialog with a close box
// and no minimise or maximise box, modal, not in the taskbar, centred on
// `parent` when there is one, else on the screen.
GtkWindow* new_dialog_window(const char* title, GtkWindow* parent);

// Marks `window` (already realized) as standing above `owner`, a window of
// another toolkit or program (an X11 window id); nothing when 0 or not on X11.
void set_foreign_owner(GtkWindow* window, std::uintptr_t owner);

}  // namespace showsaver
