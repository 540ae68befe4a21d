#include "platform/sdl/sdl_dialogs.h"

#include <SDL.h>

#include "platform/sdl/sdl_settings_dialog.h"

namespace showsaver {
namespace {

Uint32 message_box_flags(unsigned style) {
  switch (style & 0xF0u) {
    case 0x10:
      return SDL_MESSAGEBOX_ERROR;
    case 0x30:
      return SDL_MESSAGEBOX_WARNING;
    case 0x40:
      return SDL_MESSAGEBOX_INFORMATION;
    default:
      return 0;
  }
}

// Message texts carry Windows line breaks; SDL breaks lines at "\n" only.
std::string without_carriage_returns(std::string text) {
  std::erase(text, '\r');
  return text;
}

}  // namespace

void SdlDialogs::message_box(const std::string& text, const std::string& title, unsigned style,
                             WindowHandle) {
  const std::string shown = without_carriage_returns(text);
  if (SDL_ShowSimpleMessageBox(message_box_flags(style), title.c_str(), shown.c_str(), nullptr) !=
      0) {
    // No way to show a box (no display): the message must not vanish.
    SDL_Log("%s: %s", title.c_str(), shown.c_str());
  }
}

void SdlDialogs::show_settings_dialog(SettingsDialog& dialog, WindowHandle) {
  run_settings_dialog(dialog, show_sdl_choice_box);
}

}  // namespace showsaver
