#include "startup/settings_dialog_state.h"

#include "platform/player_texts.h"
#include "startup/settings_file.h"

namespace showsaver {

SettingsDialogState::SettingsDialogState(const RunState& state, FileSystem& files, Dialogs& dialogs)
    : state_(state),
      files_(files),
      dialogs_(dialogs),
      music_on_(state.BgmEnabled != 0),
      sounds_on_(state.SoundEnabled != 0) {}

void SettingsDialogState::accept() {
  // The user must learn when the choice was not kept; the dialog stays open
  // so it can be tried again or cancelled.
  if (!save_settings(files_, state_, music_on_, sounds_on_)) {
    dialogs_.message_box(kSettingsNotSaved, kSettingsCaption, mb::OK_EXCLAMATION, 0);
    return;
  }
  visible_ = false;
}

}  // namespace showsaver
