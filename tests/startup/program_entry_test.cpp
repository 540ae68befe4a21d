#include "startup/program_entry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/scripted/scripted_platform.h"
#include "support/counting_file_system.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

class StartRoutineTest : public testing::Test {
 protected:
  void install_program(const ShowPackage& package) {
    const test::ByteVector file = test::program_file_with(package);
    std::ofstream(folder.file("show.scr"), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
  }

  ScriptedPlatform& run(const std::string& arguments,
                        std::vector<InstanceGuard> guards_held_elsewhere = {}) {
    ScriptedHostSettings settings;
    settings.program_path = folder.file("show.exe");
    settings.arguments = arguments;
    settings.extraction_parent = folder.file("windows/");
    settings.guards_held_elsewhere = std::move(guards_held_elsewhere);
    scripted = std::make_unique<ScriptedPlatform>(files, test::text_codec(), settings);
    scripted->desktop.add_input({1000, InputKind::Key, {}});  // ends a show
    run_program(scripted->platform);
    return *scripted;
  }

  test::TempDir folder;
  test::CountingFileSystem files;
  std::unique_ptr<ScriptedPlatform> scripted;
};

TEST_F(StartRoutineTest, ASecondInstanceEndsBeforeReadingAnything) {
  install_program(test::PackageBuilder(10, 10).has_settings().scene("0").build());
  ScriptedPlatform& result = run("/c", {InstanceGuard::Settings});
  EXPECT_TRUE(files.reads.empty());
  EXPECT_EQ(result.desktop.settings_dialogs_shown(), 0);
  EXPECT_TRUE(result.desktop.message_boxes().empty());
  EXPECT_EQ(result.desktop.settings_dialogs_brought_forward(), 1) << "the first one's instead";
}

TEST_F(StartRoutineTest, EachModeIsKeptFromStartingOnlyByACopyInTheSameMode) {
  const std::vector<std::uint8_t> picture = test::bmp_file(test::solid_image(4, 4, 0xFF));
  install_program(test::PackageBuilder(4, 4).has_settings().scene("a", picture).build());
  ASSERT_EQ(files.create_folder(folder.file("windows")), CreateFolderResult::Created);
  using enum InstanceGuard;
  const struct {
    const char* arguments;
    std::vector<InstanceGuard> held_elsewhere;
    std::vector<InstanceGuard> asked;
    bool runs;  // the show's window, or the dialog, comes up
  } cases[] = {
      {"/s", {}, {Show}, true},           {"/s", {Settings}, {Show}, true},
      {"/s", {Show}, {Show}, false},      {"/c", {Show}, {Settings}, true},
      {"", {Show}, {Settings}, true},     {"/c 77", {Settings}, {Settings}, false},
      {"/a", {Show, Settings}, {}, true}, {"/p 1234", {Show, Settings}, {}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.arguments) + " with " + std::to_string(c.held_elsewhere.size()));
    files.reads.clear();
    ScriptedPlatform& result = run(c.arguments, c.held_elsewhere);
    EXPECT_EQ(result.host.guards_asked(), c.asked);
    EXPECT_EQ(files.reads.empty(), !c.runs);
    if (c.asked == std::vector{Show}) {
      EXPECT_EQ(result.desktop.picture_area().has_value(), c.runs);
    }
    if (c.asked == std::vector{Settings}) {
      EXPECT_EQ(result.desktop.settings_dialogs_shown(), c.runs ? 1 : 0);
      EXPECT_EQ(result.desktop.settings_dialogs_brought_forward(), c.runs ? 0 : 1);
    }
  }
}

TEST_F(StartRoutineTest, TheSettingsAndTheirMessageBelongToTheNamedOrTheForegroundWindow) {
  const struct {
    const char* arguments;
    WindowHandle owner;
  } cases[] = {{"/c:4321", 4321}, {"/c 4321", 4321}, {"/C", 0x2A0}, {"", 0x2A0}, {"/c:0", 0x2A0}};
  for (const std::int16_t has_settings : {0, -1}) {
    install_program(test::PackageBuilder(10, 10).has_settings(has_settings).scene("0").build());
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.arguments) + (has_settings ? " dialog" : " message"));
      ScriptedPlatform& result = run(c.arguments);
      if (has_settings) {
        EXPECT_EQ(result.desktop.settings_dialog_owner(), c.owner);
      } else {
        ASSERT_EQ(result.desktop.message_boxes().size(), 1u);
        EXPECT_EQ(result.desktop.message_boxes()[0].owner, c.owner);
      }
    }
  }
}

TEST_F(StartRoutineTest, PreviewAndUnknownSwitchesOnlyReadPackageAndSettings) {
  install_program(test::PackageBuilder(10, 10).scene("0").build());
  for (const char* arguments : {"/p 1234", "-s", "S"}) {
    files.reads.clear();
    ScriptedPlatform& result = run(arguments);
    EXPECT_EQ(files.reads, std::vector<std::string>{folder.file("show.scr")}) << arguments;
    EXPECT_TRUE(files.writes.empty());
    EXPECT_TRUE(files.folders_created.empty());
    EXPECT_TRUE(result.desktop.message_boxes().empty());
    EXPECT_FALSE(result.desktop.picture_area());
  }
}

TEST_F(StartRoutineTest, SettingsModeWithoutSettingsSaysSo) {
  install_program(test::PackageBuilder(10, 10).scene("0").build());
  // No arguments at all is Explorer's Configure.
  for (const char* arguments : {"/c:4321", ""}) {
    ScriptedPlatform& result = run(arguments);
    ASSERT_EQ(result.desktop.message_boxes().size(), 1u) << arguments;
    EXPECT_EQ(result.desktop.message_boxes()[0].text, "設定項目はありません");
    EXPECT_EQ(result.desktop.message_boxes()[0].title, "スクリーンセーバー");
    EXPECT_EQ(result.desktop.message_boxes()[0].style, 0x40u);
  }
}

TEST_F(StartRoutineTest, SettingsModeWithSettingsOpensTheDialog) {
  install_program(test::PackageBuilder(10, 10).has_settings().scene("0").build());
  ScriptedPlatform& result = run("/C");
  EXPECT_EQ(result.desktop.settings_dialogs_shown(), 1);
  EXPECT_TRUE(result.desktop.message_boxes().empty());
}

TEST_F(StartRoutineTest, AnUnreadablePackageLeavesAnEmptyShowAndSaysWhy) {
  std::ofstream(folder.file("show.scr")) << "not a show at all";
  ScriptedPlatform& result = run("/c");
  ASSERT_EQ(result.desktop.message_boxes().size(), 1u);
  EXPECT_EQ(result.desktop.message_boxes()[0].text, "設定項目はありません");
  ASSERT_EQ(result.host.logged().size(), 1u);
  EXPECT_NE(result.host.logged()[0].find("BlockLength"), std::string::npos);
}

TEST_F(StartRoutineTest, PasswordChangeUsesTheGivenOrTheForegroundWindow) {
  install_program(test::PackageBuilder(10, 10).scene("0").build());
  const std::vector<std::pair<std::string, WindowHandle>> cases = {
      {"/a 1234", 1234}, {"/a", 0x2A0}, {"/a 0", 0x2A0}, {"/a:1234", 0x2A0}};
  for (const auto& [arguments, parent] : cases) {
    ScriptedPlatform& result = run(arguments);
    EXPECT_EQ(result.host.password_change_parents(), std::vector<WindowHandle>{parent})
        << arguments;
  }
}

TEST_F(StartRoutineTest, ShowModeWithoutAWindowsFolderCannotRun) {
  install_program(test::PackageBuilder(10, 10).scene("0").build());
  ScriptedHostSettings settings;
  settings.program_path = folder.file("show.scr");
  settings.arguments = "/s";
  settings.extraction_parent = "";
  ScriptedPlatform result(files, test::text_codec(), settings);
  run_program(result.platform);
  ASSERT_EQ(result.desktop.message_boxes().size(), 1u);
  EXPECT_EQ(result.desktop.message_boxes()[0].text, "実行できません");
  EXPECT_EQ(result.desktop.message_boxes()[0].title, "ソラミル");
  EXPECT_TRUE(files.folders_created.empty());
}

TEST_F(StartRoutineTest, HostileNameStopsTheShowBeforeAnythingIsWritten) {
  install_program(test::PackageBuilder(10, 10).scene("0").scene("../../escape").build());
  ASSERT_EQ(files.create_folder(folder.file("windows")), CreateFolderResult::Created);
  ScriptedPlatform& result = run("/s");
  EXPECT_TRUE(files.writes.empty());
  EXPECT_FALSE(result.desktop.picture_area());
  ASSERT_EQ(result.desktop.message_boxes().size(), 1u);
  EXPECT_EQ(result.desktop.message_boxes()[0].text, "実行できません");
  EXPECT_TRUE(test::list_folder(folder.file("windows")).empty());
}

TEST_F(StartRoutineTest, APipeInPlaceOfTheProgramOrTheSettingsNeverHoldsTheStart) {
  // Opening either for reading would wait for a writer for ever.
  ASSERT_EQ(::mkfifo(folder.file("show.scr").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(folder.file("show.set").c_str(), 0600), 0);
  ScriptedPlatform& result = run("/c");
  ASSERT_EQ(result.desktop.message_boxes().size(), 1u);
  EXPECT_EQ(result.desktop.message_boxes()[0].text, "設定項目はありません");
  const RunState state = read_run_state(result.platform);
  EXPECT_EQ(state.BgmEnabled, -1);
  EXPECT_EQ(state.SoundEnabled, -1);
}

TEST_F(StartRoutineTest, EachStepThatThrowsIsSkippedAndTheNextOneRuns) {
  install_program(test::PackageBuilder(10, 10).has_settings().scene("0").build());
  std::ofstream(folder.file("show.set"), std::ios::binary).write("\0\0\xFF\xFF", 4);
  struct Case {
    const char* failing;  // the file whose read throws
    bool package_read;    // so the dialog opens
    std::int16_t sound;   // -1 when the settings were read, else left at 0
  };
  for (const Case& c : {Case{"show.scr", false, -1}, Case{"show.set", true, 0}}) {
    files.before_read = [&](const std::string& path) {
      if (path == folder.file(c.failing)) throw std::length_error("basic_string::_M_create");
    };
    ScriptedPlatform& result = run("/c");
    EXPECT_EQ(result.desktop.settings_dialogs_shown(), c.package_read ? 1 : 0) << c.failing;
    EXPECT_EQ(result.desktop.message_boxes().size(), c.package_read ? 0u : 1u) << c.failing;
    ASSERT_FALSE(result.host.logged().empty());
    EXPECT_NE(result.host.logged().back().find("_M_create"), std::string::npos) << c.failing;
    EXPECT_EQ(read_run_state(result.platform).SoundEnabled, c.sound) << c.failing;
  }
}

TEST_F(StartRoutineTest, AnExceptionDuringTheExtractionTakesBackWhatWasWritten) {
  const std::vector<std::uint8_t> picture = test::bmp_file(test::solid_image(4, 4, 0xFF));
  install_program(test::PackageBuilder(4, 4)
                      .music("m.mid", {'M'})
                      .scene("a", picture)
                      .scene("b", picture)
                      .build());
  ASSERT_EQ(files.create_folder(folder.file("windows")), CreateFolderResult::Created);
  files.before_write = [&](const std::string& path) {
    if (path.ends_with("/b"))
      throw std::filesystem::filesystem_error("disk gone", std::error_code());
  };
  ScriptedPlatform& result = run("/s");
  EXPECT_FALSE(result.desktop.picture_area());
  EXPECT_TRUE(test::list_folder(folder.file("windows")).empty());
  ASSERT_FALSE(result.host.logged().empty());
  EXPECT_NE(result.host.logged().back().find("disk gone"), std::string::npos);
}

}  // namespace
}  // namespace showsaver
