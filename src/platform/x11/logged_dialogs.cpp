#include "platform/x11/logged_dialogs.h"

#include <algorithm>
#include <iostream>

namespace showsaver {

void LoggedDialogs::message_box(const std::string& text, const std::string& title, unsigned,
                                WindowHandle) {
  std::string line = text;
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::cerr << "showsaver: " << title << ": " << line << std::endl;
}

void LoggedDialogs::show_settings_dialog(SettingsDialog&, WindowHandle) {
  std::cerr << "showsaver: the settings dialog is not shown in the display mode." << std::endl;
}

}  // namespace showsaver
