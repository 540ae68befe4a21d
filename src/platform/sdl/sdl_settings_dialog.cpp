#include "platform/sdl/sdl_settings_dialog.h"

#include <SDL.h>

namespace showsaver {
namespace {

constexpr const char* kCaption = "設定";
constexpr const char* kOk = "OK";
constexpr const char* kCancel = "キャンセル";
constexpr int kOkButton = 0;
constexpr int kCancelButton = 1;

struct Frame {
  const char* caption;
  bool (SettingsDialog::*is_on)() const;
  void (SettingsDialog::*choose)(bool on);
};
constexpr Frame kFrames[] = {{"BGM", &SettingsDialog::music_on, &SettingsDialog::choose_music},
                             {"Sound", &SettingsDialog::sounds_on, &SettingsDialog::choose_sounds}};

const char* choice_of(const SettingsDialog& dialog, const Frame& frame) {
  return (dialog.*frame.is_on)() ? "ON" : "OFF";
}

void press(SettingsDialog& dialog, int button) {
  if (button == kOkButton) dialog.accept();
  if (button == kCancelButton) dialog.cancel();
}

// Buttons of a frame box: ON, OFF, OK, キャンセル.
enum FrameButton { kOn, kOff, kFrameOk, kFrameCancel };

// False when the dialog is over (a command button hid it, or the box was closed).
bool ask_frame(SettingsDialog& dialog, const Frame& frame, const ChoiceBoxRunner& show_box) {
  const ChoiceBox box{kCaption,
                      std::string(frame.caption) + ": " + choice_of(dialog, frame),
                      {"ON", "OFF", kOk, kCancel},
                      kFrameOk,
                      kFrameCancel};
  switch (show_box(box)) {
    case kOn:
      (dialog.*frame.choose)(true);
      return true;
    case kOff:
      (dialog.*frame.choose)(false);
      return true;
    case kFrameOk:
      dialog.accept();
      break;
    case kFrameCancel:
      dialog.cancel();
      break;
    default:
      return false;
  }
  return dialog.visible();
}

}  // namespace

void run_settings_dialog(SettingsDialog& dialog, const ChoiceBoxRunner& show_box) {
  for (const Frame& frame : kFrames) {
    if (!ask_frame(dialog, frame, show_box)) return;
  }
  std::string summary;
  for (const Frame& frame : kFrames) {
    if (!summary.empty()) summary += "\n";
    summary += std::string(frame.caption) + ": " + choice_of(dialog, frame);
  }
  const ChoiceBox confirm{kCaption, summary, {kOk, kCancel}, kOkButton, kCancelButton};
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
