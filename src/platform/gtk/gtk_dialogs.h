// The desktop's dialogs on GTK 3: message boxes and the settings dialog as
// real windows, with the Japanese texts in the system's fonts.  GTK starts
// when the first dialog is needed, so a show that never asks anything never
// loads it.
#pragma once

#include "platform/dialogs.h"

typedef struct _GtkWindow GtkWindow;

namespace showsaver {

class GtkDialogs final : public Dialogs {
 public:
  // `fallback` shows the dialogs when GTK cannot start (no display it can
  // open).  Once `end_request_fd` (or -1) is readable, the program has been
  // asked to end: an open dialog closes as with its close box, and later
  // ones close at once.
  GtkDialogs(Dialogs& fallback, int end_request_fd);
  GtkDialogs(const GtkDialogs&) = delete;
  GtkDialogs& operator=(const GtkDialogs&) = delete;

  void message_box(const std::string& text, const std::string& title, unsigned style,
                   NativeWindow owner) override;
  // Above `owner` (an X11 window of another program) when it names one.
  void show_settings_dialog(SettingsDialog& dialog, NativeWindow owner) override;

 private:
  // Starts GTK on the first call; false when it cannot start.
  bool ready();

  Dialogs& fallback_;
  int end_request_fd_;
  enum class Start { NotTried, Started, Failed } start_ = Start::NotTried;
  // The settings window while it is open: a message box raised from it
  // stands above it.
  GtkWindow* open_dialog_ = nullptr;
};

}  // namespace showsaver
