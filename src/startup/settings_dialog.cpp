#include "startup/settings_dialog.h"

#include "startup/settings_file.h"

namespace showsaver {

frmSetting::frmSetting(const RunState& state, FileSystem& files, Desktop& desktop)
    : state_(state), files_(files), desktop_(desktop) {}

void frmSetting::Form_Load() {
  select_option(state_.BgmEnabled != 0 ? 0 : 1);
  select_option(state_.SoundEnabled != 0 ? 2 : 3);
}

bool frmSetting::option_selected(int index) const {
  return index >= 0 && index < 4 && options_[static_cast<std::size_t>(index)];
}

void frmSetting::select_option(int index) {
  if (index < 0 || index >= 4) return;
  const std::size_t first_of_frame = index < 2 ? 0 : 2;
  options_[first_of_frame] = static_cast<std::size_t>(index) == first_of_frame;
  options_[first_of_frame + 1] = static_cast<std::size_t>(index) == first_of_frame + 1;
}

void frmSetting::Command1_Click(int index) {
  if (index == 0) {
    // The user must learn when the choice was not kept; the dialog stays open
    // so it can be tried again or cancelled.
    if (!write_settings(files_, state_.SettingsFile, options_[0], options_[2])) {
      desktop_.MessageBox(kSettingsNotSaved, kSettingsCaption, mb::OK_EXCLAMATION);
      return;
    }
  }
  visible_ = false;
}

}  // namespace showsaver
