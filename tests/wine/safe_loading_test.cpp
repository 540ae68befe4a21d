// A winmm.dll left beside a downloaded show, as anyone who hands out a .scr
// could leave one: the player never loads it, and takes winmm from the
// system folder.  The planted DLL (planted/winmm.dll of the Windows tree)
// writes a marker file beside itself when it is loaded.
//
// Wine takes its own builtin winmm before a DLL of that name in the
// program's folder, where Windows takes the one in the program's folder
// first (winmm is not among the DLLs Windows always takes from the system
// folder): the show runs with WINEDLLOVERRIDES=winmm=n,b, which makes Wine
// look where Windows looks.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/wav_files.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr std::uint32_t kSecondColour = 0x20A040;

class PlantedDllTest : public testing::TestWithParam<const char*> {};

TEST_P(PlantedDllTest, AWinmmBesideTheShowIsNeverLoaded) {
  const auto build = WineSession::windows_build_folder(GetParam());
  ASSERT_TRUE(build) << "no Windows build folder for " << GetParam();
  const std::string planted = *build + "/planted/winmm.dll";
  ASSERT_TRUE(std::filesystem::exists(planted)) << planted;
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  const std::string folder = wine->work_folder() + "/planted-" + GetParam();
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(planted, folder + "/winmm.dll",
                             std::filesystem::copy_options::overwrite_existing);
  const std::string marker = folder + "/winmm-loaded.txt";
  std::filesystem::remove(marker);
  // Music and a cue: the player's winmm calls are all made.
  const std::string show =
      install_windows_show(*build + "/showsaver.scr", folder + "/show.scr",
                           PackageBuilder(40, 30)
                               .music("music.mid", one_note_midi())
                               .scene("first.bmp", bmp_file(solid_image(40, 30, 0xC02020)))
                               .display_time(500)
                               .scene("second.bmp", bmp_file(solid_image(40, 30, kSecondColour)))
                               .display_time(60'000)
                               .sound("cue.wav", sine_wav(0.2))
                               .build());

  ASSERT_TRUE(wine->move_mouse(kScreenWidth / 2, kScreenHeight / 2));
  const WineProcess process =
      wine->start(show, {"/s"}, {"WINEDLLOVERRIDES=mscoree,mshtml=;winmm=n,b"});
  ASSERT_TRUE(wine->wait_for_colour_in_middle(kSecondColour, seconds(60)))
      << wine->wait(process, seconds(0)).output;
  ASSERT_TRUE(wine->move_mouse(5, 5));
  const WineRun run = wine->wait(process, seconds(30));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_FALSE(std::filesystem::exists(marker)) << "the planted winmm.dll was loaded";
}

INSTANTIATE_TEST_SUITE_P(Architectures, PlantedDllTest, testing::Values("i686", "x86_64"),
                         [](const auto& param_info) { return std::string(param_info.param); });

}  // namespace
}  // namespace showsaver::test
