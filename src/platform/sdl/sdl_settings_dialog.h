// The settings dialog as a short sequence of button boxes, for desktops
// without a widget toolkit.
//
// One box per frame ("BGM", then "Sound") offers "ON", "OFF", "OK" and
// "キャンセル"; the message names the frame's current choice.  "ON"/"OFF"
// select that option and go on to the next box, "OK" (also Enter) and
// "キャンセル" (also Esc) are the dialog's two command buttons.  A last box
// shows both choices with "OK" and "キャンセル".  Closing any box, or a box
// that cannot be shown, closes the dialog without a command, as the close box
// does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace showsaver {

struct ChoiceBox {
  std::string title;
  std::string text;
  std::vector<std::string> buttons;
  int return_button = -1;  // chosen by Enter; -1: none
  int escape_button = -1;  // chosen by Esc; -1: none
};

// Shows `box` modally and returns the index of the chosen button, or -1 when
// the box was closed or could not be shown.
using ChoiceBoxRunner = std::function<int(const ChoiceBox&)>;

// Runs the dialog's sequence until a button hides the dialog or a box is closed.
void run_settings_dialog(SettingsDialog& dialog, const ChoiceBoxRunner& show_box);

// A ChoiceBoxRunner on SDL_ShowMessageBox.
int show_sdl_choice_box(const ChoiceBox& box);

}  // namespace showsaver
