// The settings dialog as a short sequence of button boxes, for desktops
// without a widget toolkit, with the caption and texts of its design
// (platform/settings_dialog_design.h).
//
// One box per group box (music, then sounds) offers its on and off radio
// buttons' texts and the OK and Cancel buttons; the message names the group
// box and its current choice.  On or off selects that radio button and goes
// on to the next box, OK (also Enter) and Cancel (also Esc) are the dialog's
// two buttons.  A last box shows both choices with OK and Cancel.  Closing
// any box, or a box that cannot be shown, closes the dialog without a button,
// as the close box does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

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
