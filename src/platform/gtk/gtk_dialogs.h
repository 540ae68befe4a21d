// The desktop's dialogs on GTK 3: message boxes and the settings dialog as
// real windows, with the Japanese texts in the system's fonts.  GTK starts
// when the first dialog is needed, so a show that never asks anything never
// loads it.
#pragma once

#include <string>

#include "platform/dialogs.h"

typedef struct _GtkWindow GtkWindow;

namespace showsaver {

class GtkDialogs final : public Dialogs {
 public:
  // `fallback` shows the dialogs when GTK cannot start (no display it can
  // open).  Once `end_request_fd` (or -1) is readable, the program has been
  // asked to end: an open dialog closes as with its close box, and later
  // ones close at once.  `program` names the program's settings dialog for
  // a second copy of it (see settings_window_mark.h).
  GtkDialogs(Dialogs& fallback, int end_request_fd, std::string program = {});
  GtkDialogs(const GtkDialogs&) = delete;
  GtkDialogs& operator=(const GtkDialogs&) = delete;

  void message_box(const std::string& text, const std::string& title, unsigned style,
                   WindowHandle owner) override;
  // Above `owner` (an X11 window of another program) when it names one.
  void show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) override;
  // The first copy's dialog, raised and focused.
  void bring_settings_dialog_forward() override;

 private:
  // Starts GTK on the first call; false when it cannot start.
  bool ready();

  Dialogs& fallback_;
  int end_request_fd_;
  std::string program_;
  enum class Start { NotTried, Started, Failed } start_ = Start::NotTried;
  // The settings window while it is open: a message box raised from it
  // stands above it.
  GtkWindow* open_dialog_ = nullptr;
};

}  // namespace showsaver
