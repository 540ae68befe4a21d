// The settings dialog on GTK, laid out from its design table
// (settings_layout.h) at the display's resolution.  It draws and forwards:
// every choice and button goes to the SettingsDialog.
//
// Keys as on Windows: Tab and Shift+Tab move through the tab order (a frame's
// selected option, then "OK" and "キャンセル"), the arrow keys select within
// a frame, Enter is "OK" unless a button has the focus, Esc is "キャンセル".
// The close box closes the dialog without a command.
#pragma once

#include <gtk/gtk.h>

#include <array>

#include "platform/desktop.h"

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

  void press(int command);
  // Tab order: 0 the "BGM" frame, 1 the "Sound" frame, 2 "OK", 3 "キャンセル".
  GtkWidget* tab_stop(int position) const;
  int tab_position_of(GtkWidget* widget) const;

  SettingsDialog& dialog_;
  GtkWindow* window_ = nullptr;
  std::array<GtkWidget*, 4> options_{};
  std::array<GtkWidget*, 2> commands_{};
};

}  // namespace showsaver
