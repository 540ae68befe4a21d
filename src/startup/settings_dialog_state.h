// The settings dialog's state: the two choices shown and what its buttons do.
#pragma once

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "startup/run_state.h"

namespace showsaver {

class SettingsDialogState final : public SettingsDialog {
 public:
  // Starts with the choices of the settings read at start-up.
  SettingsDialogState(const RunState& state, FileSystem& files, Dialogs& dialogs);

  bool music_on() const override { return music_on_; }
  bool sounds_on() const override { return sounds_on_; }
  void choose_music(bool on) override { music_on_ = on; }
  void choose_sounds(bool on) override { sounds_on_ = on; }
  void accept() override;
  void cancel() override { visible_ = false; }
  bool visible() const override { return visible_; }

 private:
  const RunState& state_;
  FileSystem& files_;
  Dialogs& dialogs_;
  bool music_on_;
  bool sounds_on_;
  bool visible_ = true;
};

}  // namespace showsaver
