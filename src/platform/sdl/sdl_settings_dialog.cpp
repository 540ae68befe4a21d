#include "platform/sdl/sdl_settings_dialog.h"

#include <SDL.h>

#include "platform/player_texts.h"
#include "platform/settings_dialog_design.h"

namespace showsaver {
namespace {

constexpr int kOkButton = 0;
constexpr int kCancelButton = 1;

struct Group {
  const char* text;
  bool (SettingsDialog::*is_on)() const;
  void (SettingsDialog::*choose)(bool on);
};
constexpr Group kGroups[] = {
    {kMusicGroupText, &SettingsDialog::music_on, &SettingsDialog::choose_music},
    {kSoundsGroupText, &SettingsDialog::sounds_on, &SettingsDialog::choose_sounds}};

const char* choice_of(const SettingsDialog& dialog, const Group& group) {
  return (dialog.*group.is_on)() ? kOnText : kOffText;
}

void press(SettingsDialog& dialog, int button) {
  if (button == kOkButton) dialog.accept();
  if (button == kCancelButton) dialog.cancel();
}

// Buttons of a group's box: on, off, OK, Cancel.
enum GroupButton { kOn, kOff, kGroupOk, kGroupCancel };

// False when the dialog is over (OK or Cancel hid it, or the box was closed).
bool ask_group(SettingsDialog& dialog, const Group& group, const ChoiceBoxRunner& show_box) {
  const ChoiceBox box{kSettingsCaption,
                      std::string(group.text) + ": " + choice_of(dialog, group),
                      {kOnText, kOffText, kOkText, kCancelText},
                      kGroupOk,
                      kGroupCancel};
  switch (show_box(box)) {
    case kOn:
      (dialog.*group.choose)(true);
      return true;
    case kOff:
      (dialog.*group.choose)(false);
      return true;
    case kGroupOk:
      dialog.accept();
      break;
    case kGroupCancel:
      dialog.cancel();
      break;
    default:
      return false;
  }
  return dialog.visible();
}

}  // namespace

void run_settings_dialog(SettingsDialog& dialog, const ChoiceBoxRunner& show_box) {
  for (const Group& group : kGroups) {
    if (!ask_group(dialog, group, show_box)) return;
  }
  std::string summary;
  for (const Group& group : kGroups) {
    if (!summary.empty()) summary += "\n";
    summary += std::string(group.text) + ": " + choice_of(dialog, group);
  }
  const ChoiceBox confirm{
      kSettingsCaption, summary, {kOkText, kCancelText}, kOkButton, kCancelButton};
  const int chosen = show_box(confirm);
  press(dialog, chosen);
}

int show_sdl_choice_box(const ChoiceBox& box) {
  std::vector<SDL_MessageBoxButtonData> buttons;
  for (std::size_t i = 0; i < box.buttons.size(); ++i) {
    const int id = static_cast<int>(i);
    Uint32 flags = 0;
    if (id == box.return_button) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (id == box.escape_button) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    buttons.push_back({flags, id, box.buttons[i].c_str()});
  }
  const SDL_MessageBoxData data{SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                nullptr,
                                box.title.c_str(),
                                box.text.c_str(),
                                static_cast<int>(buttons.size()),
                                buttons.data(),
                                nullptr};
  int chosen = -1;
  if (SDL_ShowMessageBox(&data, &chosen) != 0) {
    SDL_Log("The settings dialog cannot be shown: %s", SDL_GetError());
    return -1;
  }
  return chosen >= 0 && chosen < static_cast<int>(buttons.size()) ? chosen : -1;
}

}  // namespace showsaver
