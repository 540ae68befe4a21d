#include "platform/x11/logged_dialogs.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "platform/player_texts.h"

namespace showsaver {
namespace {

// What `say` writes to the standard error stream.
template <typename Say>
std::string logged(Say say) {
  std::ostringstream captured;
  std::streambuf* const original = std::cerr.rdbuf(captured.rdbuf());
  say();
  std::cerr.rdbuf(original);
  return captured.str();
}

class NoDialog final : public SettingsDialog {
 public:
  bool music_on() const override { return true; }
  bool sounds_on() const override { return true; }
  void choose_music(bool) override { ADD_FAILURE() << "the dialog was answered"; }
  void choose_sounds(bool) override { ADD_FAILURE() << "the dialog was answered"; }
  void accept() override { ADD_FAILURE() << "the dialog was answered"; }
  void cancel() override { ADD_FAILURE() << "the dialog was answered"; }
  bool visible() const override { return true; }
};

TEST(LoggedDialogs, AMessageBoxIsOneLineOfTheLogAndTheSettingsDialogIsNotShown) {
  LoggedDialogs dialogs;
  // The show's error box: three lines with Windows line breaks.
  const std::string text =
      std::string(kUnknownError) + "\r\n" + kFileNotFoundDescription + "\r\n" + kProjectSource;
  EXPECT_EQ(logged([&] { dialogs.message_box(text, kErrorTitle, mb::OK_EXCLAMATION, 0); }),
            std::string("showsaver: ") + kErrorTitle + ": " + kUnknownError + "  " +
                kFileNotFoundDescription + "  " + kProjectSource + "\n");
  NoDialog dialog;
  EXPECT_EQ(logged([&] { dialogs.show_settings_dialog(dialog, 0); }),
            "showsaver: the settings dialog is not shown in the display mode.\n");
}

}  // namespace
}  // namespace showsaver
