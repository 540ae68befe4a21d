// The settings as the control panel and Explorer ask for them, under Wine:
// the dialog belongs to the asking window, which waits disabled behind it;
// a show still starts while it is open; a second request brings it to the
// front instead of opening another; no argument (Explorer's Configure)
// opens it too, owned by the foreground window.  A stand-in for the control
// panel (settings_host.exe) does the asking and says what it saw.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/package_builder.h"
#include "support/show_harness.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

class ConfigureTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ConfigureTest, TheDialogBelongsToTheAskingWindowAndKeepsNoShowFromStarting) {
  const auto build = WineSession::windows_build_folder(GetParam());
  ASSERT_TRUE(build) << "SHOWSAVER_WINDOWS_BUILD_DIRS names no ...-" << GetParam() << " tree";
  const std::string player = *build + "/showsaver.scr";
  const std::string host = *build + "/settings_host.exe";
  ASSERT_TRUE(std::filesystem::exists(host)) << host << ": make windows";
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  const std::string folder = wine->work_folder() + "/configure-" + GetParam();
  std::filesystem::create_directories(folder);
  const std::string show =
      install_windows_show(player, folder + "/show.scr",
                           PackageBuilder(32, 24)
                               .has_settings()
                               .scene("a.bmp", bmp_file(solid_image(32, 24, 0x3050A0)))
                               .display_time(60000)
                               .build());

  WineRun run = wine->run(host, {WineSession::windows_path(show)}, seconds(240));
  ASSERT_EQ(run.status, 0) << run.output;
  std::erase(run.output, '\r');
  const char* const expected[] = {
      "dialog 1\n",
      "owner 1 disabled 1 centred 1\n",
      "show 1\n",
      "show_ended 0\n",
      "second_ended 0\n",
      "dialogs 1 foreground 1\n",
      "first_ended 0 enabled 1\n",
  };
  for (const char* line : expected) {
    EXPECT_NE(run.output.find(line), std::string::npos) << line << "in:\n" << run.output;
  }
  // With no argument, and with a handle that names no window.
  for (const std::string line : {"unnamed 1 owner 1 disabled 1\n", "unnamed_ended 0 enabled 1\n"}) {
    const std::size_t first = run.output.find(line);
    EXPECT_NE(first, std::string::npos) << line << "in:\n" << run.output;
    EXPECT_NE(run.output.find(line, first + 1), std::string::npos) << line << "in:\n" << run.output;
  }
  EXPECT_FALSE(std::filesystem::exists(wine->windows_folder() + "/temp1"));
  EXPECT_EQ(list_folder(folder), std::vector<std::string>{"show.scr"});
}

INSTANTIATE_TEST_SUITE_P(Architectures, ConfigureTest, ::testing::Values("i686", "x86_64"),
                         [](const auto& param_info) { return std::string(param_info.param); });

}  // namespace
}  // namespace showsaver::test
