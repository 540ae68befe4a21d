// frmSetting: the settings dialog's behaviour.
#pragma once

#include <array>
#include <string>

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "startup/run_state.h"

namespace showsaver {

class frmSetting final : public SettingsDialog {
 public:
  frmSetting(const RunState& state, FileSystem& files, Desktop& desktop);

  void Form_Load() override;
  bool option_selected(int index) const override;
  void select_option(int index) override;
  void Command1_Click(int index) override;
  bool visible() const override { return visible_; }

 private:
  const RunState& state_;
  FileSystem& files_;
  Desktop& desktop_;
  // Option1: 0 music on, 1 music off, 2 sounds on, 3 sounds off.
  std::array<bool, 4> options_ = {true, false, true, false};
  bool visible_ = true;
};

inline constexpr const char* kSettingsNotSaved = "設定を保存できませんでした。";
inline constexpr const char* kSettingsCaption = "設定";

}  // namespace showsaver
