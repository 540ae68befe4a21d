// The Windows player as the control panel's preview, under Wine:
// preview_host.exe (a helper of the Windows tree) makes a window of 152 x 112,
// starts the show with "/p <its handle>", waits for the preview's window in
// it, and destroys it.  The preview is a child filling the window; the show
// ran with its files extracted and said nothing of a screen saver running;
// it ended soon after its window went, and took its files along.  (What the
// preview draws is checked by the backend's own tests: see preview_host.cpp.)
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <regex>

#include "support/package_builder.h"
#include "support/show_harness.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

class PreviewTest : public ::testing::TestWithParam<const char*> {};

TEST_P(PreviewTest, PlaysInTheHostsWindowAndEndsWithItLeavingNothing) {
  const auto folder = WineSession::windows_build_folder(GetParam());
  // The 64-bit host, as the control panel of 64-bit Windows is.
  const auto host_folder = WineSession::windows_build_folder("x86_64");
  ASSERT_TRUE(folder && host_folder) << "SHOWSAVER_WINDOWS_BUILD_DIRS names no Windows tree";
  const std::string player = *folder + "/showsaver.scr";
  const std::string host = *host_folder + "/preview_host.exe";
  for (const std::string& program : {player, host}) {
    ASSERT_TRUE(std::filesystem::exists(program)) << program << ": make windows";
  }
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  const std::string work = wine->work_folder() + "/preview-" + GetParam();
  std::filesystem::create_directories(work);
  const std::string temp_folder = wine->windows_folder() + "/temp1";
  std::filesystem::remove_all(temp_folder);
  const std::string show =
      install_windows_show(player, work + "/show.scr",
                           PackageBuilder(160, 120)
                               .scene("first.bmp", bmp_file(solid_image(160, 120, 0x2060A0)))
                               .display_time(60'000)
                               .effect(5)
                               .scene("second.bmp", bmp_file(solid_image(160, 120, 0x802020)))
                               .display_time(60'000)
                               .build());

  const WineRun run =
      wine->run(host, {WineSession::windows_path(show), "C:\\windows\\temp1"}, seconds(120));
  ASSERT_EQ(run.status, 0) << run.output;
  // The preview filled the window while the show ran with its files and no
  // notice; the show then ended by itself (status 0) within the host's 10 s,
  // its folder gone.
  std::smatch ended;
  EXPECT_TRUE(std::regex_search(
      run.output, std::regex("preview \\d+\\s+child 152 112 1\\s+running 1\\s+folder 1\\s+"
                             "notice 0\\s+ended 1 \\d+ 0\\s+folder 0\\s*$")))
      << run.output;
  ASSERT_TRUE(std::regex_search(run.output, ended, std::regex("ended 1 (\\d+)"))) << run.output;
  std::cout << "[ preview  ] " << GetParam() << ": ended " << ended[1] << " ms after its window\n";
  EXPECT_FALSE(std::filesystem::exists(temp_folder));
}

INSTANTIATE_TEST_SUITE_P(Architectures, PreviewTest, ::testing::Values("i686", "x86_64"),
                         [](const auto& param_info) { return std::string(param_info.param); });

}  // namespace
}  // namespace showsaver::test
