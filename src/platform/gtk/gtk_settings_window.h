// The settings dialog on GTK, laid out from its design
// (platform/settings_dialog_design.h) at the display's resolution.  It draws
// and forwards: every choice and button goes to the SettingsDialog.
//
// Keys as on Windows: Tab and Shift+Tab move through the tab order (a group
// box's selected radio button, then the OK and Cancel buttons), the arrow
// keys select within a group box, Enter is OK unless a button has the focus,
// Esc is Cancel.  The close box closes the dialog without a button.
#pragma once

#include <gtk/gtk.h>

#include <array>

#include "platform/dialogs.h"

namespace showsaver {

class GtkSettingsWindow {
 public:
  // Builds the window (not shown yet) for `dialog` at `dpi` dots per inch.
  GtkSettingsWindow(SettingsDialog& dialog, double dpi);
  ~GtkSettingsWindow();
  GtkSettingsWindow(const GtkSettingsWindow&) = delete;
  GtkSettingsWindow& operator=(const GtkSettingsWindow&) = delete;

  // Runs the dialog until a button hides it, it is closed, or the end is requested.
  void run(int end_request_fd);
  GtkWindow* window() const { return window_; }

 private:
  static void on_toggled(GtkToggleButton* button, gpointer self);
  static void on_clicked(GtkButton* button, gpointer self);
  static gboolean on_key(GtkWidget* window, GdkEventKey* key, gpointer self);

  // The button of index `button` in the design: 0 OK, 1 Cancel.
  void press(int button);
  // Tab order: 0 the music group box, 1 the sounds group box, 2 OK, 3 Cancel.
  GtkWidget* tab_stop(int position) const;
  int tab_position_of(GtkWidget* widget) const;

  SettingsDialog& dialog_;
  GtkWindow* window_ = nullptr;
  // By their index in the design.
  std::array<GtkWidget*, 4> radio_buttons_{};
  std::array<GtkWidget*, 2> buttons_{};
};

}  // namespace showsaver
