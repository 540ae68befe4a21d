// "/s" on a private X server: the error box as a real window, and the clean
// ends the show window has besides input: termination signals, the window
// manager's close request and another client taking the keyboard focus.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#include "support/package_builder.h"
#include "support/show_harness.h"
#include "x_session.h"

namespace showsaver::test {
namespace {

constexpr const char* kShowWindowTitle = "showsaver";

ShowPackage long_show() {
  return PackageBuilder(40, 30)
      .scene("red.bmp", bmp_file(solid_image(40, 30, 0xFF0000)))
      .display_time(60'000)
      .build();
}

class ShowWindowTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(x.ok()); }
  std::string run_folder() const { return folder.file("run/"); }

  TempDir folder;
  TempDir logs;
  XServer x;
};

TEST_F(ShowWindowTest, AnUndecodablePictureShowsTheErrorBoxAndTheShowCleansUp) {
  // A bitmap's signature over bytes that are no bitmap.
  const ShowPackage package =
      PackageBuilder(40, 30).scene("broken.bmp", fake_bitmap_file(64)).display_time(1000).build();
  const std::string show = install_show(folder, "show.scr", package);
  Child player({show, "/s"}, session_environment(x, folder), logs.file("player"));

  const Window box = x.wait_for_window("エラー");
  ASSERT_NE(box, 0u) << player.err();
  ASSERT_TRUE(wait_until([&] { return x.has_focus(box); })) << "the box takes the keyboard";
  // Painted: the text and the button make more than one colour.
  const auto painted = [&] {
    const PixelImage shot = x.screenshot(box);
    return std::any_of(shot.pixels.begin(), shot.pixels.end(),
                       [&](std::uint32_t pixel) { return pixel != shot.pixels.front(); });
  };
  EXPECT_TRUE(wait_until(painted)) << "the box is drawn";
  keep_screenshot(x.screenshot(box), "error-box");
  EXPECT_TRUE(player.running()) << "the box waits for the user";
  x.press_keys({"Return"});
  EXPECT_EQ(player.wait_exit(), 0) << player.err();
  EXPECT_TRUE(temp_folders(run_folder()).empty());
}

class ShowSignalTest : public ShowWindowTest, public testing::WithParamInterface<int> {};

TEST_P(ShowSignalTest, ASignalEndsTheShowWithItsTeardown) {
  const std::string show = install_show(folder, "show.scr", long_show());
  Child player({show, "/s"}, session_environment(x, folder), logs.file("player"));
  ASSERT_NE(x.wait_for_window(kShowWindowTitle), 0u) << player.err();
  ASSERT_EQ(temp_folders(run_folder()).size(), 1u);
  player.signal(GetParam());
  EXPECT_EQ(player.wait_exit(), 0) << player.err();
  EXPECT_TRUE(temp_folders(run_folder()).empty());
  EXPECT_FALSE(file_bytes(folder.file("show.set"))) << "the settings are left alone";
  EXPECT_NE(player.err().find(std::string("Ended on SIG") + sigabbrev_np(GetParam())),
            std::string::npos)
      << player.err();
}

INSTANTIATE_TEST_SUITE_P(Signals, ShowSignalTest, testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& param_info) {
                           return std::string(sigabbrev_np(param_info.param));
                         });

TEST_F(ShowWindowTest, TheWindowManagersCloseRequestEndsTheShow) {
  const std::string show = install_show(folder, "show.scr", long_show());
  Child player({show, "/s"}, session_environment(x, folder), logs.file("player"));
  const Window window = x.wait_for_window(kShowWindowTitle);
  ASSERT_NE(window, 0u) << player.err();
  x.request_close(window);
  EXPECT_EQ(player.wait_exit(), 0) << player.err();
  EXPECT_TRUE(temp_folders(run_folder()).empty());
}

// Keys meant for the show would go to a window nobody sees.
TEST_F(ShowWindowTest, AnotherClientTakingTheFocusEndsTheShow) {
  const std::string show = install_show(folder, "show.scr", long_show());
  Child player({show, "/s"}, session_environment(x, folder), logs.file("player"));
  const Window window = x.wait_for_window(kShowWindowTitle);
  ASSERT_NE(window, 0u) << player.err();
  EXPECT_TRUE(wait_until([&] { return x.has_focus(window); }, 5s)) << "the show takes the keyboard";

  const Window other = x.create_window(100, 100);
  XSetInputFocus(x.display(), other, RevertToParent, CurrentTime);
  XSync(x.display(), False);
  EXPECT_EQ(player.wait_exit(10s), 0) << player.err();
  EXPECT_TRUE(temp_folders(run_folder()).empty());
}

}  // namespace
}  // namespace showsaver::test
