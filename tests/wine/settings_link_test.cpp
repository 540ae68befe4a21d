// A settings file that is a link the user made (here a Unix symbolic link in
// the Wine prefix's drive C:, which Wine follows like any file): "/c" reads
// the settings through it, and "OK" replaces the file it leads to, leaving
// the link a link.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/temp_dir.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

std::string file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SettingsLinkTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SettingsLinkTest, OkReplacesTheLinksTargetAndKeepsTheLink) {
  const auto build = WineSession::windows_build_folder(GetParam());
  ASSERT_TRUE(build) << "SHOWSAVER_WINDOWS_BUILD_DIRS names no ...-" << GetParam() << " tree";
  const std::string player = *build + "/showsaver.scr";
  ASSERT_TRUE(std::filesystem::exists(player)) << player << ": make windows";
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);

  const std::string drive_c = wine->prefix() + "/drive_c/";
  const std::string shows = drive_c + "shows-" + GetParam();
  const std::string kept = drive_c + "kept-" + GetParam();
  std::filesystem::create_directories(shows);
  std::filesystem::create_directories(kept);
  install_windows_show(
      player, shows + "/show.scr",
      PackageBuilder(32, 24).has_settings().scene("a.bmp").display_time(1000).build());
  // The link leads to a file in another folder; its settings: sounds off.
  write_text_file(kept + "/mine.set", std::string("\xFF\xFF\x00\x00", 4));
  std::filesystem::create_symlink("../kept-" + std::string(GetParam()) + "/mine.set",
                                  shows + "/show.set");

  const WineProcess process = wine->start(shows + "/show.scr", {"/c"});
  const auto dialog = wine->wait_for_window("^設定$", seconds(60));
  ASSERT_TRUE(dialog) << wine->wait(process, seconds(0)).output;
  ASSERT_TRUE(wine->focus(*dialog));
  // Music off as well: what the file said, with one change.
  ASSERT_TRUE(wine->send_keys({"Right", "Return"}));
  const WineRun run = wine->wait(process, seconds(30));
  ASSERT_EQ(run.status, 0) << run.output;

  EXPECT_TRUE(std::filesystem::is_symlink(shows + "/show.set"));
  EXPECT_EQ(file_text(kept + "/mine.set"), std::string(4, '\0'));
  EXPECT_EQ(list_folder(shows), (std::vector<std::string>{"show.scr", "show.set"}));
  EXPECT_EQ(list_folder(kept), std::vector<std::string>{"mine.set"});
}

INSTANTIATE_TEST_SUITE_P(Architectures, SettingsLinkTest, ::testing::Values("i686", "x86_64"),
                         [](const auto& param_info) { return std::string(param_info.param); });

}  // namespace
}  // namespace showsaver::test
