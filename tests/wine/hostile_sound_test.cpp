// Scene sounds whose sizes run past their data reach the Windows player, as
// a hostile show brought them: one whose RIFF chunk claims 0x7FFFFFFF bytes
// with the format chunk cut short, one cut off in its data, one of zero-byte
// blocks with a data chunk far past the end (Wine's PlaySound divides by the
// block size).  The player checks each before PlaySound gets it: the show
// plays on in silence, ends on a key and leaves nothing behind.
//
// PlaySound reaches the format's fields only once a wave device opens, and
// the test machine has no sound card: ALSA's null device stands in for one,
// named in an .asoundrc of the player's own home folder.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>

#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/wav_files.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr std::uint32_t kLastColour = 0x3070B0;

class HostileSoundTest : public testing::TestWithParam<const char*> {};

TEST_P(HostileSoundTest, TheShowPlaysOnSilentEndsOnAKeyAndLeavesNothing) {
  const auto build = WineSession::windows_build_folder(GetParam());
  ASSERT_TRUE(build) << "no Windows build folder for " << GetParam();
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  // Wine's own audio driver, which opens ALSA's default device.
  wine->run("reg", {"delete", "HKCU\\Software\\Wine\\Drivers", "/v", "Audio", "/f"}, seconds(30));
  const std::string home = wine->work_folder() + "/null-sound-home";
  std::filesystem::create_directories(home);
  std::ofstream(home + "/.asoundrc") << "pcm.!default { type null }\n";

  PackageBuilder builder(40, 30);
  builder.scene("start.bmp", bmp_file(solid_image(40, 30, 0xC02020))).display_time(300);
  const std::pair<const char*, std::vector<std::uint8_t>> sounds[] = {
      {"lying.wav", lying_wav()},
      {"cut.wav", truncated_wav()},
      {"zero-block.wav", zero_block_wav()},
  };
  for (const auto& [name, bytes] : sounds) {
    builder.scene(std::string(name) + ".bmp", bmp_file(solid_image(40, 30, 0x808080)))
        .display_time(300)
        .sound(name, bytes);
  }
  builder.scene("last.bmp", bmp_file(solid_image(40, 30, kLastColour))).display_time(60'000);
  const std::string show = install_windows_show(
      *build + "/showsaver.scr", wine->work_folder() + "/hostile-sounds-" + GetParam() + ".scr",
      builder.build());

  ASSERT_TRUE(wine->move_mouse(kScreenWidth / 2, kScreenHeight / 2));
  const WineProcess process = wine->start(show, {"/s"}, {"HOME=" + home});
  // The last scene: every hostile sound has been handed to the player.
  ASSERT_TRUE(wine->wait_for_colour_in_middle(kLastColour, seconds(60)))
      << wine->wait(process, seconds(0)).output;
  EXPECT_EQ(::kill(process.pid, 0), 0) << "the show ended by itself";
  const WineRun run = wine->end_show_with_a_key(process);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_FALSE(std::filesystem::exists(wine->windows_folder() + "/temp1"));
}

INSTANTIATE_TEST_SUITE_P(Architectures, HostileSoundTest, testing::Values("i686", "x86_64"),
                         [](const auto& param_info) { return std::string(param_info.param); });

}  // namespace
}  // namespace showsaver::test
