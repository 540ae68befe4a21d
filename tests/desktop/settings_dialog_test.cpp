// "/c" on a private X server: the settings dialog as a real GTK window,
// driven with keys and the close box.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>

#include "support/package_builder.h"
#include "support/show_harness.h"
#include "x_session.h"

namespace showsaver::test {
namespace {

constexpr const char* kCaption = "設定";
const std::string kAllOn("\xFF\xFF\xFF\xFF", 4);
const std::string kMusicOff("\x00\x00\xFF\xFF", 4);
const std::string kSoundsOff("\xFF\xFF\x00\x00", 4);

ShowPackage show_with_settings() {
  return PackageBuilder(32, 24).has_settings().scene("a.bmp").display_time(1000).build();
}

struct DialogCase {
  const char* name;
  std::optional<std::string> settings_before;
  // Keys (xdotool names), or "close" for the close box, or "SIGTERM".
  std::vector<std::string> keys;
  std::optional<std::string> settings_after;
};

class SettingsDialogTest : public testing::TestWithParam<DialogCase> {};

TEST_P(SettingsDialogTest, KeysChooseAndEnterWritesTheFourBytes) {
  const DialogCase& param = GetParam();
  TempDir folder;
  XServer x;
  ASSERT_TRUE(x.ok());
  const std::string show = install_show(folder, "show.scr", show_with_settings());
  const std::string settings = folder.file("show.set");
  if (param.settings_before) write_text_file(settings, *param.settings_before);
  Child player({show, "/c"}, session_environment(x, folder), folder.file("player"));

  const Window dialog = x.wait_for_window(kCaption);
  ASSERT_NE(dialog, 0u) << player.err();
  // Laid out from the design's twips at the display's 96 dots per inch.
  EXPECT_EQ(x.geometry(dialog).width, 297);
  EXPECT_EQ(x.geometry(dialog).height, 138);
  ASSERT_TRUE(wait_until([&] { return x.has_focus(dialog); })) << "the dialog takes the keyboard";
  if (std::string(param.name) == "EnterKeepsBothOn") {
    keep_screenshot(x.screenshot(dialog), "settings-dialog");
  }
  if (param.keys == std::vector<std::string>{"close"}) {
    x.request_close(dialog);
  } else if (param.keys == std::vector<std::string>{"SIGTERM"}) {
    player.signal(SIGTERM);
  } else {
    x.press_keys(param.keys);
  }
  EXPECT_EQ(player.wait_exit(), 0) << player.err();
  EXPECT_EQ(file_bytes(settings), param.settings_after);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, SettingsDialogTest,
    testing::Values(
        DialogCase{"EnterKeepsBothOn", std::nullopt, {"Return"}, kAllOn},
        DialogCase{"RightSwitchesMusicOff", std::nullopt, {"Right", "Return"}, kMusicOff},
        DialogCase{"TabGoesToSound", kAllOn, {"Tab", "Right", "Return"}, kSoundsOff},
        DialogCase{"TheFileIsShownAndKept", kMusicOff, {"Tab", "Tab", "space"}, kMusicOff},
        DialogCase{"EscapeWritesNothing", std::nullopt, {"Right", "Escape"}, std::nullopt},
        DialogCase{"CloseBoxWritesNothing", kMusicOff, {"close"}, kMusicOff},
        DialogCase{"SigtermClosesItLikeTheCloseBox", std::nullopt, {"SIGTERM"}, std::nullopt}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(SettingsDialogFailureTest, AReadOnlyFolderShowsTheFailureAndLosesNothing) {
  TempDir folder;
  TempDir logs;
  XServer x;
  ASSERT_TRUE(x.ok());
  const std::string show = install_show(folder, "show.scr", show_with_settings());
  const std::string settings = folder.file("show.set");
  write_text_file(settings, kAllOn);
  std::vector<std::string> environment = session_environment(x, folder);
  for (const char* path : {"", "config", "home", "run", "tmp"}) {
    ::chmod(folder.file(path).c_str(), 0555);
  }
  Child player(as_ordinary_user({show, "/c"}), environment, logs.file("player"));

  const Window dialog = x.wait_for_window(kCaption);
  ASSERT_NE(dialog, 0u) << player.err();
  ASSERT_TRUE(wait_until([&] { return x.has_focus(dialog); }));
  x.press_keys({"Right", "Return"});
  // The failure comes in a box of the same caption above the dialog.
  Window failure = 0;
  ASSERT_TRUE(wait_until([&] {
    for (const Window window : x.windows_titled(kCaption)) {
      if (window != dialog) failure = window;
    }
    return failure != 0 && x.has_focus(failure);
  })) << player.err();
  keep_screenshot(x.screenshot(failure), "settings-not-saved");
  x.press_keys({"Return"});
  ASSERT_TRUE(wait_until([&] { return x.windows_titled(kCaption).size() == 1; }));
  EXPECT_TRUE(player.running()) << "the dialog stays for another try";
  ASSERT_TRUE(wait_until([&] { return x.has_focus(dialog); }));
  x.press_keys({"Escape"});
  EXPECT_EQ(player.wait_exit(), 0) << player.err();
  ::chmod(folder.path().c_str(), 0755);
  EXPECT_EQ(file_bytes(settings), kAllOn);
  EXPECT_EQ(list_folder(folder.path()),
            (std::vector<std::string>{"config", "home", "run", "show.scr", "show.set", "tmp"}));
}

// No argument opens the dialog (Explorer's Configure does that); a second
// request brings it forward and ends without a dialog of its own, and a show
// starts beside it.
TEST(SettingsDialogGuardTest, ASecondRequestBringsTheFirstForwardAndAShowStillStarts) {
  TempDir folder;
  TempDir logs;
  XServer x;
  ASSERT_TRUE(x.ok());
  const std::string show = install_show(folder, "show.scr",
                                        PackageBuilder(32, 24)
                                            .has_settings()
                                            .scene("a.bmp", bmp_file(solid_image(32, 24, 0x3050A0)))
                                            .display_time(60000)
                                            .build());
  const std::vector<std::string> environment = session_environment(x, folder);
  Child first({show}, environment, logs.file("first"));
  const Window dialog = x.wait_for_window(kCaption);
  ASSERT_NE(dialog, 0u) << first.err();

  // Another program's window has the keyboard when the second request comes.
  const Window elsewhere = x.create_window(100, 100);
  XSetInputFocus(x.display(), elsewhere, RevertToParent, CurrentTime);
  XSync(x.display(), False);
  ASSERT_TRUE(wait_until([&] { return x.has_focus(elsewhere); }));
  Child second({show, "/c"}, environment, logs.file("second"));
  EXPECT_EQ(second.wait_exit(), 0) << second.err();
  EXPECT_EQ(x.windows_titled(kCaption).size(), 1u);
  EXPECT_TRUE(wait_until([&] { return x.has_focus(dialog); })) << "the first one comes forward";

  Child playing({show, "/s"}, environment, logs.file("playing"));
  EXPECT_NE(x.wait_for_window("showsaver"), 0u) << playing.err();
  playing.signal(SIGTERM);
  EXPECT_EQ(playing.wait_exit(), 0) << playing.err();

  EXPECT_TRUE(first.running());
  x.request_close(dialog);
  EXPECT_EQ(first.wait_exit(), 0) << first.err();
}

}  // namespace
}  // namespace showsaver::test
