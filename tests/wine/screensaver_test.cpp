// The Windows player, showsaver.scr for 32-bit and 64-bit Windows, under
// Wine: a show plays full screen with the frames the software renderer makes
// for it, ends on a key or a mouse move and cleans up; the password setting,
// the settings dialog, the quiet switches and the single-instance guard.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>

#include "effects/cross_fade_transition.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

ByteVector read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), {});
}

// Two pictures held long enough to be seen, joined by a slide.
ShowPackage two_scene_show(std::int16_t has_settings) {
  const PixelImage first =
      with_rectangle(solid_image(kWidth, kHeight, 0x2060A0), 20, 30, 50, 40, 0xF0D020);
  const PixelImage second =
      with_rectangle(solid_image(kWidth, kHeight, 0x802020), 90, 10, 40, 90, 0x20E0F0);
  return PackageBuilder(kWidth, kHeight)
      .has_settings(has_settings)
      .scene("first.bmp", bmp_file(first))
      .display_time(2500)
      .effect(5)
      .scene("second.bmp", bmp_file(second))
      .display_time(2500)
      .effect(0)
      .build();
}

// The picture area of a full-screen image: centred, halves truncated.
PixelImage picture_area(const PixelImage& screen) {
  const int left = kScreenWidth / 2 - kWidth / 2;
  const int top = kScreenHeight / 2 - kHeight / 2;
  PixelImage area{kWidth, kHeight, {}};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) area.pixels.push_back(pixel(screen, left + x, top + y));
  }
  return area;
}

class ScreenSaverTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const std::string architecture = GetParam();
    const auto folder = WineSession::windows_build_folder(architecture);
    ASSERT_TRUE(folder) << "SHOWSAVER_WINDOWS_BUILD_DIRS names no ...-" << architecture
                        << " build folder";
    player_ = *folder + "/showsaver.scr";
    ASSERT_TRUE(std::filesystem::exists(player_))
        << player_ << " is missing: build the Windows trees (make windows)";
    wine_ = WineSession::get();
    ASSERT_NE(wine_, nullptr);
    folder_ = wine_->work_folder() + "/" + architecture;
    std::filesystem::create_directories(folder_);
    std::filesystem::remove_all(temp_folder());
  }

  // The player with `package` appended, as the show's own .scr.
  std::string install(const ShowPackage& package) {
    return install_windows_show(player_, folder_ + "/show.scr", package);
  }

  // Screenshots until the picture area shows `expected`.
  bool wait_for_picture(const PixelImage& expected, seconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < end) {
      const auto screen = wine_->screenshot();
      if (screen && screen->width == kScreenWidth && picture_area(*screen) == expected) {
        return true;
      }
    }
    return false;
  }

  std::string temp_folder() const { return wine_->windows_folder() + "/temp1"; }

  // Starts the show with the cursor in the middle of the screen.
  WineProcess start_show(const std::string& show) {
    EXPECT_TRUE(wine_->move_mouse(kScreenWidth / 2, kScreenHeight / 2));
    return wine_->start(show, {"/s"});
  }
  // Moves the cursor away from where the show started.
  bool move_mouse_away() { return wine_->move_mouse(5, 5); }

  std::string player_;
  std::string folder_;
  WineSession* wine_ = nullptr;
};

// The software renderer on the session's screen, to the end of the first
// transition.
ShowOptions first_transition_on_screen() {
  ShowOptions options;
  options.screen = {kScreenWidth, kScreenHeight};
  options.key_after_transitions = 1;
  return options;
}

// The frames the software renderer draws for the show: the first scene as the
// show starts, and the second once the slide is over.
std::pair<PixelImage, PixelImage> rendered_held_frames(const ShowPackage& package) {
  ShowRun run(package, first_transition_on_screen());
  run.run();
  EXPECT_GE(run.frames().size(), 2u);
  return {run.frames().front(), run.frames().back()};
}

TEST_P(ScreenSaverTest, PlaysTheRenderedFramesAndEndsOnInputLeavingNothingBehind) {
  const ShowPackage package = two_scene_show(0);
  const auto [first, second] = rendered_held_frames(package);
  const std::string show = install(package);

  // Once by a key, once by moving the mouse.
  for (const bool by_key : {true, false}) {
    SCOPED_TRACE(by_key ? "ended by a key" : "ended by a mouse move");
    const WineProcess process = start_show(show);
    ASSERT_TRUE(wait_for_picture(first, seconds(60))) << wine_->wait(process, seconds(0)).output;
    EXPECT_TRUE(std::filesystem::exists(temp_folder() + "/first.bmp"));
    ASSERT_TRUE(wait_for_picture(second, seconds(30)));
    if (by_key) {
      const auto window = wine_->wait_for_window("^showsaver$", seconds(10));
      ASSERT_TRUE(window);
      ASSERT_TRUE(wine_->focus(*window));
      ASSERT_TRUE(wine_->send_keys({"space"}));
    } else {
      ASSERT_TRUE(move_mouse_away());
    }
    const WineRun run = wine_->wait(process, seconds(30));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(std::filesystem::exists(temp_folder()));
  }
}

// How many pixels of `area` differ from the frame of `frames` nearest to it.
std::size_t pixels_off_the_nearest(const PixelImage& area, std::span<const PixelImage> frames) {
  std::size_t fewest = area.pixels.size();
  for (const PixelImage& frame : frames) {
    std::size_t differing = 0;
    for (std::size_t i = 0; i < area.pixels.size(); ++i) {
      differing += area.pixels[i] != frame.pixels[i] ? 1 : 0;
    }
    fewest = std::min(fewest, differing);
  }
  return fewest;
}

// The first scene leaves by a cross-fade long enough for screenshots to catch
// it in the middle.
constexpr std::int32_t kFadeMs = 4000;

// The fade's frames as the software renderer draws them at each frame's
// virtual time: every frame the player shows between the two pictures must
// be one of these, pixel for pixel.
TEST_P(ScreenSaverTest, ShowsTheCrossFadeFramesTheSoftwareRendererDraws) {
  ShowPackage package = two_scene_show(0);
  package.Extension = ShowExtension{{FadeRecord{0, kFadeMs}}};
  ShowRun rendered(package, first_transition_on_screen());
  rendered.run();
  ASSERT_EQ(rendered.transitions().size(), 1u);
  const std::vector<PixelImage>& frames = rendered.frames();
  const PixelImage first = frames.front();
  const PixelImage second = frames.back();
  const auto fade_begin = frames.begin() + rendered.transitions()[0].frames_before;
  ASSERT_GT(frames.end() - fade_begin, kFadeMs / kFadeFramePeriodMs);
  const std::string show = install(package);

  const WineProcess process = start_show(show);
  ASSERT_TRUE(wait_for_picture(first, seconds(60))) << wine_->wait(process, seconds(0)).output;
  int caught = 0;
  std::vector<std::size_t> strays;  // pixels that differ from the nearest fade frame
  const auto end = std::chrono::steady_clock::now() + seconds(60);
  while (std::chrono::steady_clock::now() < end) {
    const auto screen = wine_->screenshot();
    if (!screen || screen->width != kScreenWidth) continue;
    const PixelImage area = picture_area(*screen);
    if (area == second) break;
    if (area == first) continue;
    if (std::find(fade_begin, frames.end(), area) != frames.end()) {
      ++caught;
      continue;
    }
    strays.push_back(pixels_off_the_nearest(area, {fade_begin, frames.end()}));
  }
  EXPECT_GT(caught, 0) << "no screenshot fell inside the fade";
  EXPECT_TRUE(strays.empty()) << strays.size() << " screenshots match no frame; the first by "
                              << strays.front() << " pixels";
  const WineRun run = wine_->end_show_with_a_key(process);
  EXPECT_EQ(run.status, 0) << run.output;
}

TEST_P(ScreenSaverTest, WithThePasswordSettingOnTheShowStillEndsWhereNoCheckExists) {
  const ShowPackage package = two_scene_show(0);
  const PixelImage first = rendered_held_frames(package).first;
  const std::string show = install(package);
  const std::string key = "HKCU\\Control Panel\\desktop";
  ASSERT_EQ(
      wine_
          ->run("reg", {"add", key, "/v", "ScreenSaveUsePassword", "/t", "REG_SZ", "/d", "1", "/f"},
                seconds(60))
          .status,
      0);

  const WineProcess process = start_show(show);
  ASSERT_TRUE(wait_for_picture(first, seconds(60)));
  ASSERT_TRUE(move_mouse_away());
  const WineRun run = wine_->wait(process, seconds(30));
  wine_->run("reg", {"delete", key, "/v", "ScreenSaveUsePassword", "/f"}, seconds(60));
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_FALSE(std::filesystem::exists(temp_folder()));
}

TEST_P(ScreenSaverTest, SettingsDialogWritesOnEnterAndNothingOnEscape) {
  const std::string show = install(two_scene_show(-1));
  const std::string settings = folder_ + "/show.set";
  std::filesystem::remove(settings);

  struct Answer {
    const char* key;
    const char* written;  // nullptr: no file
  };
  for (const Answer answer : {Answer{"Escape", nullptr}, Answer{"Return", "\xFF\xFF\xFF\xFF"}}) {
    SCOPED_TRACE(answer.key);
    const WineProcess process = wine_->start(show, {"/c"});
    const auto dialog = wine_->wait_for_window("^設定$", seconds(60));
    ASSERT_TRUE(dialog) << wine_->wait(process, seconds(0)).output;
    ASSERT_TRUE(wine_->focus(*dialog));
    ASSERT_TRUE(wine_->send_keys({answer.key}));
    const WineRun run = wine_->wait(process, seconds(30));
    ASSERT_EQ(run.status, 0) << run.output;
    if (answer.written == nullptr) {
      EXPECT_FALSE(std::filesystem::exists(settings));
    } else {
      const ByteVector bytes = read_bytes(settings);
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string(answer.written, 4));
    }
  }
}

// (No switch at all opens the settings: see configure_test.cpp.)
TEST_P(ScreenSaverTest, PreviewEndsAtOnceAndASecondShowDoesNotStart) {
  const ShowPackage package = two_scene_show(0);
  const PixelImage first = rendered_held_frames(package).first;
  const std::string show = install(package);
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"/p", "1234"}}) {
    const WineRun run = wine_->run(show, arguments, seconds(30));
    EXPECT_EQ(run.status, 0) << run.output;
  }
  EXPECT_FALSE(std::filesystem::exists(temp_folder()));

  const WineProcess running = start_show(show);
  ASSERT_TRUE(wait_for_picture(first, seconds(60)));
  const WineRun second = wine_->run(show, {"/s"}, seconds(30));
  EXPECT_EQ(second.status, 0) << second.output;
  EXPECT_FALSE(std::filesystem::exists(wine_->windows_folder() + "/temp2"));
  EXPECT_EQ(::kill(running.pid, 0), 0) << "the first show ended too";
  ASSERT_TRUE(move_mouse_away());
  EXPECT_EQ(wine_->wait(running, seconds(30)).status, 0);
  EXPECT_FALSE(std::filesystem::exists(temp_folder()));
}

// The Win32 backend's tests, and the software GDI's built for Windows, where
// it runs on this machine's processor with the instruction sets the Windows
// builds may take.
TEST_P(ScreenSaverTest, BackendTestsPass) {
  for (const char* program : {"showsaver_win32_tests.exe", "showsaver_soft_tests.exe"}) {
    const std::string tests = std::filesystem::path(player_).parent_path().string() + "/" + program;
    ASSERT_TRUE(std::filesystem::exists(tests)) << tests << ": make windows";
    const WineRun run = wine_->run(tests, {}, seconds(120));
    EXPECT_EQ(run.status, 0) << program << ":\n" << run.output;
  }
}

INSTANTIATE_TEST_SUITE_P(Architectures, ScreenSaverTest, ::testing::Values("i686", "x86_64"),
                         [](const auto& param_info) { return std::string(param_info.param); });

// A 32-bit show installed in the system folder of 64-bit Windows, as screen
// savers are, and started from there: it reads its own file there, and saves
// its settings beside it, where the system would send its file calls to
// SysWOW64.  (A 64-bit program has no such redirection; and Wine's launcher,
// a 32-bit program, cannot start one from the system folder.)
class SystemFolderTest : public ScreenSaverTest {};

TEST_P(SystemFolderTest, PlaysFromTheSystemFolderAndSavesItsSettingsThere) {
  const ShowPackage package = two_scene_show(-1);
  const auto [first, second] = rendered_held_frames(package);
  const std::string name = std::string("system-") + GetParam();
  const std::string system_folder = wine_->windows_folder() + "/system32/";
  const std::string settings = system_folder + name + ".set";
  const std::string redirected_settings = wine_->windows_folder() + "/syswow64/" + name + ".set";
  // By the prefix's own path of the file, which Wine hands the program as
  // C:\windows\system32\<name>.scr.
  const std::string program = install_windows_show(player_, system_folder + name + ".scr", package);

  EXPECT_TRUE(wine_->move_mouse(kScreenWidth / 2, kScreenHeight / 2));
  const WineProcess show = wine_->start(program, {"/s"});
  ASSERT_TRUE(wait_for_picture(first, seconds(60))) << wine_->wait(show, seconds(0)).output;
  ASSERT_TRUE(wait_for_picture(second, seconds(30)));
  ASSERT_TRUE(move_mouse_away());
  const WineRun shown = wine_->wait(show, seconds(30));
  EXPECT_EQ(shown.status, 0) << shown.output;
  EXPECT_FALSE(std::filesystem::exists(temp_folder()));

  const WineProcess dialog = wine_->start(program, {"/c"});
  const auto window = wine_->wait_for_window("^設定$", seconds(60));
  ASSERT_TRUE(window) << wine_->wait(dialog, seconds(0)).output;
  ASSERT_TRUE(wine_->focus(*window));
  ASSERT_TRUE(wine_->send_keys({"Return"}));
  const WineRun saved = wine_->wait(dialog, seconds(30));
  EXPECT_EQ(saved.status, 0) << saved.output;
  EXPECT_EQ(read_bytes(settings), ByteVector(4, 0xFF));
  EXPECT_FALSE(std::filesystem::exists(redirected_settings));
  for (const std::string& file : {system_folder + name + ".scr", settings}) {
    std::filesystem::remove(file);
  }
}

INSTANTIATE_TEST_SUITE_P(ThirtyTwoBit, SystemFolderTest, ::testing::Values("i686"),
                         [](const auto& param_info) { return std::string(param_info.param); });

}  // namespace
}  // namespace showsaver::test
