#include "startup/display_mode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/scripted/scripted_platform.h"
#include "support/counting_file_system.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

struct RequestCase {
  const char* name;
  std::vector<std::string> arguments;
  std::optional<DisplayModeRequest> expected;
};

bool same(const std::optional<DisplayModeRequest>& a, const std::optional<DisplayModeRequest>& b) {
  if (!a || !b) return a.has_value() == b.has_value();
  return a->window_id == b->window_id && a->music == b->music && a->sounds == b->sounds;
}

class DisplayModeRequestTest : public testing::TestWithParam<RequestCase> {};

TEST_P(DisplayModeRequestTest, ArgumentsGiveTheRequest) {
  EXPECT_TRUE(same(display_mode_request(GetParam().arguments), GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, DisplayModeRequestTest,
    testing::Values(
        RequestCase{"Root", {"-root"}, DisplayModeRequest{}},
        RequestCase{"RootWithTwoDashes", {"--root"}, DisplayModeRequest{}},
        RequestCase{
            "WindowIdInHex", {"--window-id", "0x2a00007"}, DisplayModeRequest{0x2a00007, {}, {}}},
        RequestCase{
            "WindowIdInDecimal", {"-window-id", "4194311"}, DisplayModeRequest{4194311, {}, {}}},
        RequestCase{"SettingsForThisRun",
                    {"--root", "--music", "off", "-sounds", "on", "-visual", "default"},
                    DisplayModeRequest{std::nullopt, false, true}},
        RequestCase{"SettingsAloneAreNotTheDisplayMode", {"-music", "on"}, std::nullopt},
        RequestCase{"ScreenSaverSwitch", {"/s"}, std::nullopt},
        RequestCase{"MalformedWindowId", {"-window-id", "0xZZ"}, std::nullopt},
        RequestCase{"WindowIdZero", {"-window-id", "0"}, std::nullopt},
        RequestCase{"MissingWindowId", {"-window-id"}, std::nullopt},
        RequestCase{"MalformedSetting", {"-root", "-music", "yes"}, std::nullopt}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// Options that cannot be followed are refused with what is wrong, where the
// program would otherwise end at once, silently, and a locker show nothing.
struct RefusalCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* error;  // a part of it; nullptr: none
};

class DisplayModeRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(DisplayModeRefusalTest, WrongOptionsSayWhatIsWrong) {
  const DisplayModeArguments read = read_display_mode_arguments(GetParam().arguments);
  if (GetParam().error == nullptr) {
    EXPECT_EQ(read.error, "");
  } else {
    EXPECT_NE(read.error.find(GetParam().error), std::string::npos) << read.error;
    EXPECT_FALSE(read.request.has_value());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, DisplayModeRefusalTest,
    testing::Values(
        RefusalCase{"ValueInCapitals", {"--root", "--music", "OFF"}, "--music takes on or off"},
        RefusalCase{"ValueOfAnotherWord", {"--root", "--sounds", "no"}, "not \"no\""},
        RefusalCase{"MisspeltOption", {"--root", "--musik", "off"}, "unknown option \"--musik\""},
        RefusalCase{"MisspeltRoot", {"-rooot"}, "unknown option \"-rooot\""},
        RefusalCase{"MissingValue", {"--root", "--sounds"}, "--sounds needs a value"},
        RefusalCase{"BadWindowId", {"--window-id", "0xZZ"}, "takes a window id"},
        RefusalCase{"SettingsWithoutAWindow", {"--music", "off"}, "need --root or --window-id"},
        RefusalCase{"LockersCommonOptions",
                    {"-root", "-visual", "default", "-fps", "-install", "-pair"},
                    nullptr},
        RefusalCase{"ScreenSaverSwitchesAreNoOptions", {"/p", "1234"}, nullptr},
        RefusalCase{"NoArguments", {}, nullptr}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// The show plays like show mode, with the locker's settings over the file's.
class DisplayModeRunTest : public testing::Test {
 protected:
  ScriptedPlatform& run(const DisplayModeRequest& request, const std::string& settings_file) {
    const ShowPackage package =
        test::PackageBuilder(16, 16)
            .music("loop.wav", {1, 2, 3})
            .scene("a.bmp", test::bmp_file(test::solid_image(16, 16, 0xFF0000)))
            .display_time(100)
            .sound("cue.wav", {4, 5, 6})
            .scene("b.bmp", test::bmp_file(test::solid_image(16, 16, 0x0000FF)))
            .display_time(100)
            .build();
    const test::ByteVector file = test::program_file_with(package);
    std::ofstream(folder.file("show.scr"), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    test::write_text_file(folder.file("show.set"), settings_file);
    std::filesystem::create_directories(folder.file("run"));
    ScriptedHostSettings settings;
    settings.program_path = folder.file("show.scr");
    settings.arguments = "-root";
    settings.extraction_parent = folder.file("run/");
    // Even a copy that is already running does not keep a locker's copy from playing.
    settings.guards_held_elsewhere = {InstanceGuard::Show, InstanceGuard::Settings};
    scripted = std::make_unique<ScriptedPlatform>(files, test::text_codec(), settings);
    scripted->desktop.add_input({1000, InputKind::Key, {}});
    run_display_mode(scripted->platform, request);
    return *scripted;
  }

  static int cues_played(const ScriptedPlatform& platform) {
    int cues = 0;
    for (const RecordedSound& sound : platform.media.sounds()) cues += sound.path ? 1 : 0;
    return cues;
  }

  static bool music_opened(const ScriptedPlatform& platform) {
    for (const std::string& command : platform.media.commands()) {
      if (command.starts_with("open")) return true;
    }
    return false;
  }

  test::TempDir folder;
  test::CountingFileSystem files;
  std::unique_ptr<ScriptedPlatform> scripted;
};

TEST_F(DisplayModeRunTest, TheLockersSettingsWinOverTheFile) {
  const std::string all_off("\0\0\0\0", 4);
  const std::string all_on("\xFF\xFF\xFF\xFF", 4);
  ScriptedPlatform& from_file = run({}, all_off);
  EXPECT_FALSE(music_opened(from_file));
  EXPECT_EQ(cues_played(from_file), 0);

  ScriptedPlatform& overridden = run({std::nullopt, true, true}, all_off);
  EXPECT_TRUE(music_opened(overridden));
  EXPECT_GT(cues_played(overridden), 0);

  ScriptedPlatform& silenced = run({std::nullopt, false, false}, all_on);
  EXPECT_FALSE(music_opened(silenced));
  EXPECT_EQ(cues_played(silenced), 0);
  EXPECT_TRUE(test::list_folder(folder.file("run/")).empty()) << "the show's files are removed";
  EXPECT_EQ(test::read_text_file(folder.file("show.set")), all_on) << "the file is left alone";
}

}  // namespace
}  // namespace showsaver
