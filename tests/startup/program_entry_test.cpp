#include "startup/program_entry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
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
    const bool unknown = arguments[0] != '/';
    ASSERT_EQ(result.host.logged().size(), unknown ? 1u : 0u) << arguments;
    if (unknown) {
      EXPECT_NE(result.host.logged()[0].find(std::string("\"") + arguments + "\""),
                std::string::npos);
    }
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

// A show that cannot be read still ends in the show's error box, which says
// so: the file it looked for, and for a damaged one the field and offset the
// log names.
TEST_F(StartRoutineTest, AShowThatCannotBeReadIsReportedAsWhatItIs) {
  const test::ByteVector good =
      test::program_file_with(test::PackageBuilder(4, 4).scene("0").build());
  const auto with_trailer = [](test::ByteVector file, std::int32_t block_length) {
    for (int i = 0; i < 4; ++i)
      file[file.size() - 4 + i] = static_cast<std::uint8_t>(block_length >> (8 * i));
    return file;
  };
  test::ByteVector padded(good.begin(), good.end() - 4);
  padded.insert(padded.end(), 10, 0);
  padded.insert(padded.end(), good.end() - 4, good.end());
  const std::int32_t block = static_cast<std::int32_t>(good.size() - 4096);
  struct Case {
    const char* name;
    std::optional<test::ByteVector> file;  // none: no show file at all
    const char* first_line;
  };
  const std::vector<Case> cases = {
      {"missing", std::nullopt, "ショーのファイルを開けません。"},
      {"cut short", test::ByteVector(good.begin(), good.end() - 7),
       "このファイルのショーは壊れています。"},
      {"bytes before the trailer", with_trailer(padded, block + 10),
       "このファイルのショーは壊れています。"},
      {"BlockLength past the file", with_trailer(good, static_cast<std::int32_t>(good.size() + 1)),
       "このファイルのショーは壊れています。"},
  };
  ASSERT_EQ(files.create_folder(folder.file("windows")), CreateFolderResult::Created);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder.file("show.scr"));
    if (c.file) {
      std::ofstream(folder.file("show.scr"), std::ios::binary)
          .write(reinterpret_cast<const char*>(c.file->data()),
                 static_cast<std::streamsize>(c.file->size()));
    }
    ScriptedPlatform& result = run("/s");
    ASSERT_EQ(result.desktop.message_boxes().size(), 1u);
    const auto& box = result.desktop.message_boxes()[0];
    EXPECT_EQ(box.title, "エラー");
    EXPECT_EQ(box.style, 0x30u);
    const std::string named = std::string(c.first_line) + "\r\n" + folder.file("show.scr");
    if (!c.file) {
      EXPECT_EQ(box.text, named);
      continue;
    }
    ASSERT_TRUE(box.text.starts_with(named + "\r\n")) << box.text;
    // The field and its offset, as the log line gives them before its reason.
    const std::string where = box.text.substr(named.size() + 2);
    EXPECT_NE(where.find(" at file offset "), std::string::npos) << where;
    ASSERT_FALSE(result.host.logged().empty());
    EXPECT_EQ(result.host.logged()[0].find(folder.file("show.scr") + ": " + where + ": "), 0u)
        << result.host.logged()[0];
  }
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
