#include "platform/sdl/sdl_settings_dialog.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <string>
#include <vector>

#include "platform/sdl/sdl_desktop.h"
#include "platform/soft/soft_gdi.h"
#include "sdl_fixture.h"

namespace showsaver::test {
namespace {

// The dialog's behaviour as far as the desktop sees it, with a record of the
// calls.  Radio buttons 0-3 are music on, music off, sounds on, sounds off.
class RecordingDialog final : public SettingsDialog {
 public:
  explicit RecordingDialog(std::array<bool, 4> options) : options_(options) {}
  bool music_on() const override { return options_[0]; }
  bool sounds_on() const override { return options_[2]; }
  void choose_music(bool on) override { select(on ? 0 : 1); }
  void choose_sounds(bool on) override { select(on ? 2 : 3); }
  void accept() override { click(0); }
  void cancel() override { click(1); }
  bool visible() const override { return visible_; }

  std::vector<std::string> calls;

 private:
  void select(int index) {
    calls.push_back("select " + std::to_string(index));
    const int first = index < 2 ? 0 : 2;
    options_[first] = index == first;
    options_[first + 1] = index != first;
  }
  void click(int index) {
    calls.push_back("click " + std::to_string(index));
    visible_ = false;
  }

  std::array<bool, 4> options_;
  bool visible_ = true;
};

constexpr int kEnter = -10;
constexpr int kEscape = -11;
constexpr int kClose = -1;

struct DialogCase {
  const char* name;
  std::array<bool, 4> options;
  std::vector<int> answers;  // a button index, kEnter, kEscape or kClose per box
  std::vector<std::string> calls;
  std::vector<std::string> texts;  // of the boxes shown
};

class SettingsSequenceTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(SettingsSequenceTest, AnswersBecomeTheDialogsActions) {
  const DialogCase& dialog_case = GetParam();
  RecordingDialog dialog(dialog_case.options);
  std::deque<int> answers(dialog_case.answers.begin(), dialog_case.answers.end());
  std::vector<std::string> texts;
  run_settings_dialog(dialog, [&](const ChoiceBox& box) {
    EXPECT_EQ(box.title, "設定");
    EXPECT_EQ(box.buttons.at(static_cast<std::size_t>(box.return_button)), "OK");
    EXPECT_EQ(box.buttons.at(static_cast<std::size_t>(box.escape_button)), "キャンセル");
    texts.push_back(box.text);
    if (answers.empty()) {
      ADD_FAILURE() << "more boxes than answers";
      return kClose;
    }
    const int answer = answers.front();
    answers.pop_front();
    if (answer == kEnter) return box.return_button;
    if (answer == kEscape) return box.escape_button;
    return answer;
  });
  EXPECT_EQ(dialog.calls, dialog_case.calls);
  EXPECT_EQ(texts, dialog_case.texts);
  EXPECT_TRUE(answers.empty()) << "boxes left unshown";
}

constexpr std::array<bool, 4> kAllOn = {true, false, true, false};
constexpr std::array<bool, 4> kMusicOff = {false, true, true, false};

INSTANTIATE_TEST_SUITE_P(
    Sequences, SettingsSequenceTest,
    ::testing::Values(
        DialogCase{"EnterAtOnceIsOk", kAllOn, {kEnter}, {"click 0"}, {"BGM: ON"}},
        DialogCase{"EscapeAtOnceIsCancel", kAllOn, {kEscape}, {"click 1"}, {"BGM: ON"}},
        DialogCase{"MusicOffThenOk",
                   kAllOn,
                   {1, 0, kEnter},
                   {"select 1", "select 2", "click 0"},
                   {"BGM: ON", "Sound: ON", "BGM: OFF\nSound: ON"}},
        DialogCase{"CurrentChoicesAreShown",
                   kMusicOff,
                   {0, 1, kEscape},
                   {"select 0", "select 3", "click 1"},
                   {"BGM: OFF", "Sound: ON", "BGM: ON\nSound: OFF"}},
        DialogCase{"OkInTheSoundBox",
                   kMusicOff,
                   {1, kEnter},
                   {"select 1", "click 0"},
                   {"BGM: OFF", "Sound: ON"}},
        DialogCase{
            "CloseBoxWritesNothing", kAllOn, {1, kClose}, {"select 1"}, {"BGM: ON", "Sound: ON"}},
        DialogCase{"ClosingTheLastBoxWritesNothing",
                   kAllOn,
                   {0, 0, kClose},
                   {"select 0", "select 2"},
                   {"BGM: ON", "Sound: ON", "BGM: ON\nSound: ON"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

class SdlSettingsDialogTest : public SdlDummyVideo {};

TEST_F(SdlSettingsDialogTest, WithoutADisplayTheDialogClosesWithoutAButton) {
  SoftGdi gdi;
  SdlDesktop desktop(gdi);
  RecordingDialog dialog(kAllOn);
  desktop.show_settings_dialog(dialog, 0);
  EXPECT_TRUE(dialog.calls.empty());
  EXPECT_TRUE(dialog.visible());
}

}  // namespace
}  // namespace showsaver::test
