#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/player_texts.h"
#include "platform/posix/posix_file_system.h"
#include "platform/scripted/scripted_platform.h"
#include "startup/program_entry.h"
#include "startup/settings_dialog_state.h"
#include "startup/settings_file.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

using test::read_text_file;
using test::write_text_file;

class SettingsFileTest : public testing::Test {
 protected:
  std::string settings_path() const { return folder.file("show.set"); }
  UserSettings read() { return read_settings(files, settings_path()); }

  test::TempDir folder;
  PosixFileSystem files;
};

TEST_F(SettingsFileTest, ReadsBothFlagsAndDefaultsToOnWithoutAFile) {
  EXPECT_EQ(read().BgmEnabled, -1);
  EXPECT_EQ(read().SoundEnabled, -1);

  write_text_file(settings_path(), std::string("\xFF\xFF\x00\x00", 4));
  EXPECT_NE(read().BgmEnabled, 0);
  EXPECT_EQ(read().SoundEnabled, 0);

  write_text_file(settings_path(), std::string("\x01\x00\x00\x80", 4));
  EXPECT_EQ(read().BgmEnabled, 1);
  EXPECT_EQ(read().SoundEnabled, static_cast<std::int16_t>(0x8000));

  write_text_file(settings_path(), std::string("\xFF", 1));  // short: missing bytes are 0
  EXPECT_EQ(read().BgmEnabled, 0xFF);
  EXPECT_EQ(read().SoundEnabled, 0);
}

TEST_F(SettingsFileTest, AFolderInPlaceOfTheFileIsNotASettingsFile) {
  ASSERT_EQ(files.create_folder(settings_path()), CreateFolderResult::Created);
  EXPECT_EQ(read().BgmEnabled, -1);
}

TEST_F(SettingsFileTest, OnlyAnOrdinaryFileIsReadAndOnlyItsFirstFourBytes) {
  // Each would block the start or exhaust memory if opened and read whole.
  ASSERT_EQ(::mkfifo(settings_path().c_str(), 0600), 0);
  EXPECT_EQ(read().BgmEnabled, -1);
  EXPECT_EQ(read().SoundEnabled, -1);
  ASSERT_EQ(::unlink(settings_path().c_str()), 0);
  ASSERT_EQ(::symlink("/dev/zero", settings_path().c_str()), 0);
  EXPECT_EQ(read().BgmEnabled, -1);
  ASSERT_EQ(::unlink(settings_path().c_str()), 0);

  write_text_file(settings_path(), std::string("\x00\x00\xFF\xFF", 4));
  ASSERT_EQ(::truncate(settings_path().c_str(), std::int64_t{1} << 40), 0);  // sparse, 1 TiB
  EXPECT_EQ(read().BgmEnabled, 0);
  EXPECT_EQ(read().SoundEnabled, -1);
}

TEST_F(SettingsFileTest, ALinkIsReadThroughAndSavedIntoItsTarget) {
  const std::string target = folder.file("kept-elsewhere.set");
  write_text_file(target, std::string("\x00\x00\x00\x00", 4));
  ASSERT_EQ(::symlink(target.c_str(), settings_path().c_str()), 0);
  EXPECT_EQ(read().BgmEnabled, 0);
  EXPECT_EQ(read().SoundEnabled, 0);

  ASSERT_TRUE(write_settings(files, settings_path(), true, false));
  struct stat info;
  ASSERT_EQ(::lstat(settings_path().c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(read_text_file(target), std::string("\xFF\xFF\x00\x00", 4));
  EXPECT_EQ(test::list_folder(folder.path()),
            (std::vector<std::string>{"kept-elsewhere.set", "show.set"}));

  // A link that leads nowhere is not replaced by a file of our own.
  ASSERT_EQ(::unlink(target.c_str()), 0);
  EXPECT_EQ(read().BgmEnabled, -1);
  EXPECT_FALSE(write_settings(files, settings_path(), true, true));
  ASSERT_EQ(::lstat(settings_path().c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST_F(SettingsFileTest, WritesFourBytesMusicFirstAndReplacesLongerFiles) {
  write_text_file(settings_path(), "an old settings file, much longer than four bytes");
  ASSERT_TRUE(write_settings(files, settings_path(), false, true));
  EXPECT_EQ(read_text_file(settings_path()), std::string("\x00\x00\xFF\xFF", 4));
  EXPECT_EQ(test::list_folder(folder.path()), std::vector<std::string>{"show.set"});
}

TEST_F(SettingsFileTest, AFailedWriteKeepsTheOldSettings) {
  write_text_file(settings_path(), std::string("\x00\x00\x00\x00", 4));
  // The new file cannot be made beside the old one: a folder holds its name.
  ASSERT_EQ(files.create_folder(settings_path() + ".new"), CreateFolderResult::Created);
  EXPECT_FALSE(write_settings(files, settings_path(), true, true));
  EXPECT_EQ(read_text_file(settings_path()), std::string("\x00\x00\x00\x00", 4));
}

struct DialogCase {
  const char* existing;  // nullptr: no settings file
  std::vector<DialogAction> actions;
  const char* expected;  // nullptr: no file afterwards; "same": unchanged
};

class SettingsDialogTest : public testing::TestWithParam<DialogCase> {};

TEST_P(SettingsDialogTest, WritesOnlyOnOk) {
  test::TempDir folder;
  PosixFileSystem files;
  ScriptedPlatform scripted(files, test::text_codec());
  RunState state;
  state.SettingsFile = folder.file("show.set");
  const DialogCase& c = GetParam();
  if (c.existing != nullptr) write_text_file(state.SettingsFile, std::string(c.existing, 4));
  const UserSettings settings = read_settings(files, state.SettingsFile);
  state.BgmEnabled = settings.BgmEnabled;
  state.SoundEnabled = settings.SoundEnabled;

  SettingsDialogState dialog(state, files, scripted.desktop);
  scripted.desktop.set_dialog_actions(c.actions);
  scripted.desktop.show_settings_dialog(dialog, 0);

  if (c.expected == nullptr) {
    EXPECT_FALSE(files.exists(state.SettingsFile));
  } else if (std::string(c.expected) == "same") {
    EXPECT_EQ(read_text_file(state.SettingsFile), std::string(c.existing, 4));
  } else {
    EXPECT_EQ(read_text_file(state.SettingsFile), std::string(c.expected, 4));
  }
}

const DialogAction kEnter{DialogActionKind::PressEnter, 0};
const DialogAction kEscape{DialogActionKind::PressEscape, 0};
const DialogAction kClose{DialogActionKind::CloseBox, 0};
const DialogAction kMusicOn{DialogActionKind::ChooseMusic, true};
const DialogAction kMusicOff{DialogActionKind::ChooseMusic, false};
const DialogAction kSoundsOff{DialogActionKind::ChooseSounds, false};

INSTANTIATE_TEST_SUITE_P(
    Choices, SettingsDialogTest,
    testing::Values(DialogCase{nullptr, {kEnter}, "\xFF\xFF\xFF\xFF"},
                    DialogCase{nullptr, {kMusicOff, kEnter}, "\x00\x00\xFF\xFF"},
                    DialogCase{"\x01\x00\x00\x00", {kEnter}, "\xFF\xFF\x00\x00"},
                    DialogCase{
                        "\x00\x00\xFF\xFF", {kMusicOn, kSoundsOff, kEnter}, "\xFF\xFF\x00\x00"},
                    DialogCase{"\x00\x00\xFF\xFF", {kMusicOn, kEscape}, "same"},
                    DialogCase{"\x00\x00\xFF\xFF", {kMusicOn, kClose}, "same"},
                    DialogCase{nullptr, {kMusicOff, kEscape}, nullptr},
                    DialogCase{nullptr, {kClose}, nullptr}));

TEST(SettingsDialogChoices, LoadSelectsFromTheSettingsOnePerGroupBox) {
  test::TempDir folder;
  PosixFileSystem files;
  ScriptedPlatform scripted(files, test::text_codec());
  RunState state;
  state.BgmEnabled = 0;
  state.SoundEnabled = -1;
  SettingsDialogState dialog(state, files, scripted.desktop);
  EXPECT_FALSE(dialog.music_on());
  EXPECT_TRUE(dialog.sounds_on());
  dialog.choose_music(true);
  EXPECT_TRUE(dialog.music_on());
  EXPECT_TRUE(dialog.sounds_on());
}

TEST(SettingsDialogChoices, OkThatCannotWriteSaysSoAndStaysOpen) {
  test::TempDir folder;
  PosixFileSystem files;
  ScriptedPlatform scripted(files, test::text_codec());
  RunState state;
  state.SettingsFile = folder.file("missing-folder/show.set");
  SettingsDialogState dialog(state, files, scripted.desktop);
  dialog.accept();
  EXPECT_TRUE(dialog.visible());
  ASSERT_EQ(scripted.desktop.message_boxes().size(), 1u);
  EXPECT_EQ(scripted.desktop.message_boxes()[0].text, kSettingsNotSaved);
}

// Where the settings are read from and saved to: beside the program, or in
// the user's own folder when the program's folder cannot be written.
struct PlaceCase {
  const char* name;
  const char* beside;                  // the file beside the program before; nullptr: none
  const char* own;                     // the file in the user's own folder before; nullptr: none
  bool own_folder_named = true;        // the host names a user settings folder
  bool program_writable = true;        // the program's folder can be written
  bool own_writable = true;            // the user's own file can be written
  bool own_is_link = false;            // the user's own file is a link to a file beside it
  bool own_folder_exists = false;      // the user's own folder is there, even without a file
  bool config_folder_exists = true;    // the folder the user's own folder goes in is there
  const char* beside_after = nullptr;  // nullptr: no file; "same": unchanged
  const char* own_after = nullptr;
  bool saved = true;  // false: the dialog says so and stays open
  friend void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }
};

class SettingsPlaceTest : public testing::TestWithParam<PlaceCase> {
 protected:
  // A write that cannot make its new file, as in a read-only folder (also
  // when the tests run as root, where permissions stop nothing).
  void block_writes_to(const std::string& file) {
    ASSERT_EQ(files.create_folder(file + ".new"), CreateFolderResult::Created);
  }

  void expect_file(const std::string& path, const char* before, const char* after) {
    if (after == nullptr) {
      EXPECT_FALSE(files.is_plain_file(path)) << path;
    } else {
      EXPECT_EQ(read_text_file(path), std::string(std::string(after) == "same" ? before : after, 4))
          << path;
    }
  }

  test::TempDir folder;
  PosixFileSystem files;
};

TEST_P(SettingsPlaceTest, ReadsTheOwnFileFirstAndSavesWhereItWillBeRead) {
  const PlaceCase& c = GetParam();
  const std::string beside = folder.file("program/show.set");
  const std::string own = folder.file("config/showsaver/show.set");
  ASSERT_EQ(files.create_folder(folder.file("program")), CreateFolderResult::Created);
  if (c.config_folder_exists) {
    ASSERT_EQ(files.create_folder(folder.file("config")), CreateFolderResult::Created);
  }
  if (c.beside != nullptr) write_text_file(beside, std::string(c.beside, 4));
  if (c.own != nullptr || c.own_folder_exists) {
    ASSERT_EQ(files.create_folder(folder.file("config/showsaver")), CreateFolderResult::Created);
  }
  const std::string link_target = folder.file("config/showsaver/kept.set");
  if (c.own != nullptr) {
    write_text_file(c.own_is_link ? link_target : own, std::string(c.own, 4));
    if (c.own_is_link) {
      ASSERT_EQ(::symlink(link_target.c_str(), own.c_str()), 0);
    }
  }
  if (!c.program_writable) block_writes_to(beside);
  if (!c.own_writable) block_writes_to(own);
  ScriptedHostSettings host;
  host.program_path = folder.file("program/show.scr");
  host.user_settings_folder = c.own_folder_named ? folder.file("config/showsaver/") : "";
  ScriptedPlatform scripted(files, test::text_codec(), host);

  // OK with the music choice flipped: what is written tells what was read.
  const RunState state = read_run_state(scripted.platform);
  SettingsDialogState dialog(state, files, scripted.desktop);
  const bool music = !dialog.music_on();
  const bool sounds = dialog.sounds_on();
  dialog.choose_music(music);
  dialog.accept();

  expect_file(beside, c.beside, c.beside_after);
  expect_file(own, c.own, c.own_after);
  if (c.own_is_link) {  // saved through the link, which stays
    struct stat link {};
    ASSERT_EQ(::lstat(own.c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
  }
  EXPECT_EQ(dialog.visible(), !c.saved);
  EXPECT_EQ(scripted.desktop.message_boxes().size(), c.saved ? 0u : 1u);
  if (c.saved) {  // the next start reads what was saved
    const RunState next = read_run_state(scripted.platform);
    EXPECT_EQ(next.BgmEnabled != 0, music);
    EXPECT_EQ(next.SoundEnabled != 0, sounds);
  }
}

INSTANTIATE_TEST_SUITE_P(Places, SettingsPlaceTest,
                         testing::Values(PlaceCase{.name = "OwnFileWins",
                                                   .beside = "\x00\x00\xFF\xFF",
                                                   .own = "\xFF\xFF\x00\x00",
                                                   .beside_after = "same",
                                                   .own_after = "\x00\x00\x00\x00"},
                                         PlaceCase{.name = "BesideTheProgramWithoutOwnFile",
                                                   .beside = "\x00\x00\xFF\xFF",
                                                   .own = nullptr,
                                                   .beside_after = "\xFF\xFF\xFF\xFF"},
                                         PlaceCase{.name = "NeitherFile",
                                                   .beside = nullptr,
                                                   .own = nullptr,
                                                   .beside_after = "\x00\x00\xFF\xFF"},
                                         PlaceCase{.name = "ReadOnlyProgramFolderSavesInOwnFolder",
                                                   .beside = "\x00\x00\xFF\xFF",
                                                   .own = nullptr,
                                                   .program_writable = false,
                                                   .beside_after = "same",
                                                   .own_after = "\xFF\xFF\xFF\xFF"},
                                         PlaceCase{.name = "OwnFileIsALinkAndWins",
                                                   .beside = "\x00\x00\xFF\xFF",
                                                   .own = "\xFF\xFF\x00\x00",
                                                   .own_is_link = true,
                                                   .beside_after = "same",
                                                   .own_after = "\x00\x00\x00\x00"},
                                         PlaceCase{.name = "ReadOnlyProgramFolderAndEmptyOwnFolder",
                                                   .beside = "\x00\x00\xFF\xFF",
                                                   .own = nullptr,
                                                   .program_writable = false,
                                                   .own_folder_exists = true,
                                                   .beside_after = "same",
                                                   .own_after = "\xFF\xFF\xFF\xFF"},
                                         PlaceCase{.name = "NoConfigurationFolderYet",
                                                   .beside = "\x00\x00\xFF\xFF",
                                                   .own = nullptr,
                                                   .program_writable = false,
                                                   .config_folder_exists = false,
                                                   .beside_after = "same",
                                                   .own_after = "\xFF\xFF\xFF\xFF"},
                                         PlaceCase{.name = "OwnFileReadButUnwritableSaysSo",
                                                   .beside = nullptr,
                                                   .own = "\x00\x00\x00\x00",
                                                   .own_writable = false,
                                                   .own_after = "same",
                                                   .saved = false},
                                         PlaceCase{.name = "NoPlaceAtAll",
                                                   .beside = nullptr,
                                                   .own = nullptr,
                                                   .own_folder_named = false,
                                                   .program_writable = false,
                                                   .saved = false}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver
