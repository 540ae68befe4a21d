// The files the studio saved in the page test (tests/studio_page, the studio
// alone in a folder), played by the players themselves: the Linux file on a
// private X server, the Windows file under Wine, each showing the first frame
// `showpack render` draws for it, pixel for pixel, and that frame the first
// photo's.  Skipped where the page test saved nothing (the studio not built).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "shown_frames.h"
#include "wine_session.h"
#include "x_session.h"

namespace showsaver::test {
namespace {

namespace fs = std::filesystem;

// The page's show is the size of its screen: the 1024 x 768 of both servers.
constexpr Rect kScreen{0, 0, 1024, 768};

// A file the page test saved, copied into `folder` as `name` and made
// executable, as a user does with a download; empty when there is none.
std::string saved_file(const std::string& saved, const std::string& folder,
                       const std::string& name) {
  const char* files = std::getenv("SHOWSAVER_STUDIO_FILES");
  if (files == nullptr || !fs::exists(fs::path(files) / saved)) return {};
  const fs::path copy = fs::path(folder) / name;
  fs::copy_file(fs::path(files) / saved, copy, fs::copy_options::overwrite_existing);
  ::chmod(copy.c_str(), 0755);
  return copy.string();
}

// The show's first scene is the balloon photo of tests/studio_page/photos.js
// (a pink disc on transparency, a green square at its top left) fitted to the
// screen's 768 rows and centred, on the show's background.
void expect_the_first_photo(const PixelImage& frame) {
  ASSERT_EQ(frame.width, kScreen.width);
  ASSERT_EQ(frame.height, kScreen.height);
  const auto at = [&](int x, int y) { return frame.pixels[std::size_t(y * frame.width + x)]; };
  EXPECT_EQ(at(512, 384) & 0xFFFFFF, 0xFF4080u) << "the disc";
  EXPECT_EQ(at(128 + 40, 40) & 0xFFFFFF, 0x40C040u) << "the square";
  EXPECT_EQ(at(512, 760) & 0xFFFFFF, 0x203040u) << "the background through the photo";
  EXPECT_EQ(at(64, 384) & 0xFFFFFF, 0x203040u) << "the background beside it";
}

TEST(StudioFilesTest, TheLinuxFilePlaysUnderXvfbShowingTheRenderedFirstFrame) {
  TempDir folder;
  // The player reads the show from the file of its own name with ".scr".
  const std::string show = saved_file("studio-linux.scr", folder.path(), "show.scr");
  if (show.empty()) GTEST_SKIP() << "the page test saved no Linux file";
  const PixelImage expected = rendered_frame(folder, show);
  expect_the_first_photo(expected);

  XServer x(kScreen.width, kScreen.height);
  ASSERT_TRUE(x.ok());
  TempDir logs;
  Child player({show, "/s"}, session_environment(x, folder), logs.file("player"));
  ASSERT_NE(x.wait_for_window("showsaver"), 0u) << player.err();
  EXPECT_TRUE(wait_until([&] { return shows_centred(x, kScreen, expected); }))
      << keep_screenshot(x.screenshot(0, 0, kScreen.width, kScreen.height), "studio-linux");
  x.press_keys({"space"});
  EXPECT_EQ(player.wait_exit(), 0) << player.err();
}

// The 64-bit save and the 32-bit one, each played by its own player.
class StudioWindowsFileTest : public testing::TestWithParam<const char*> {};

TEST_P(StudioWindowsFileTest, PlaysUnderWineShowingTheRenderedFirstFrame) {
  TempDir folder;
  const std::string saved = saved_file(GetParam(), folder.path(), "show.scr");
  if (saved.empty()) GTEST_SKIP() << "the page test saved no " << GetParam();
  const PixelImage expected = rendered_frame(folder, saved);
  expect_the_first_photo(expected);

  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  const std::string show = wine->work_folder() + "/studio.scr";
  fs::copy_file(saved, show, fs::copy_options::overwrite_existing);
  ASSERT_TRUE(wine->move_mouse(kScreen.width / 2, kScreen.height / 2));
  const WineProcess process = wine->start(show, {"/s"});
  EXPECT_TRUE(wait_until(
      [&] {
        const auto screen = wine->screenshot();
        return screen && *screen == expected;
      },
      std::chrono::seconds(60)))
      << wine->wait(process, seconds(0)).output;
  const WineRun run = wine->end_show_with_a_key(process);
  EXPECT_EQ(run.status, 0) << run.output;
}

std::string architecture_of(const testing::TestParamInfo<const char*>& file) {
  return std::string(file.param) == "studio-x64.scr" ? "x64" : "x86";
}

INSTANTIATE_TEST_SUITE_P(Architectures, StudioWindowsFileTest,
                         testing::Values("studio-x64.scr", "studio-x86.scr"), architecture_of);

}  // namespace
}  // namespace showsaver::test
