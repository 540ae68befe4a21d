// The Windows player's music and scene sounds under Wine, with Wine's audio
// driver switched off and on: either way the show plays, ends on a key and
// shows no error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "package/package_writer.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/text_codec.h"
#include "support/wav_files.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr std::uint32_t kSecondColour = 0x20A040;

struct AudioCase {
  const char* architecture;
  bool audio_driver;
};

class WineMediaTest : public testing::TestWithParam<AudioCase> {};

TEST_P(WineMediaTest, MusicAndCuesNeitherHangNorFail) {
  const AudioCase& param = GetParam();
  const auto build = WineSession::windows_build_folder(param.architecture);
  ASSERT_TRUE(build) << "no Windows build folder for " << param.architecture;
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  const std::string drivers = "HKCU\\Software\\Wine\\Drivers";
  if (param.audio_driver) {
    wine->run("reg", {"delete", drivers, "/v", "Audio", "/f"}, seconds(30));
  } else {
    ASSERT_EQ(wine->run("reg", {"add", drivers, "/v", "Audio", "/d", "", "/f"}, seconds(30)).status,
              0);
  }
  const ShowPackage package = PackageBuilder(40, 30)
                                  .music("music.wav", sine_wav(0.5))
                                  .scene("first.bmp", bmp_file(solid_image(40, 30, 0xC02020)))
                                  .display_time(1000)
                                  .scene("second.bmp", bmp_file(solid_image(40, 30, kSecondColour)))
                                  .display_time(60'000)
                                  .sound("cue.wav", sine_wav(0.5))
                                  .build();
  std::ifstream in(*build + "/showsaver.scr", std::ios::binary);
  const PackageWriteResult written = append_package_block(
      ByteVector(std::istreambuf_iterator<char>(in), {}), package, text_codec());
  ASSERT_TRUE(written.ok());
  const std::string show = wine->work_folder() + "/media-" + param.architecture + ".scr";
  std::ofstream(show, std::ios::binary)
      .write(reinterpret_cast<const char*>(written.bytes.data()),
             static_cast<std::streamsize>(written.bytes.size()));

  ASSERT_TRUE(wine->move_mouse(kScreenWidth / 2, kScreenHeight / 2));
  const WineProcess process = wine->start(show, {"/s"});
  // The second scene: its cue has started and the music has been polled.
  bool second = false;
  const auto end = std::chrono::steady_clock::now() + seconds(60);
  while (!second && std::chrono::steady_clock::now() < end) {
    const auto screen = wine->screenshot();
    second = screen && screen->width == kScreenWidth &&
             pixel(*screen, kScreenWidth / 2, kScreenHeight / 2) == kSecondColour;
  }
  ASSERT_TRUE(second) << wine->wait(process, seconds(0)).output;
  EXPECT_FALSE(wine->wait_for_window("^エラー$", seconds(1))) << "the show's error box";
  const auto window = wine->wait_for_window("^showsaver$", seconds(10));
  ASSERT_TRUE(window);
  ASSERT_TRUE(wine->focus(*window));
  ASSERT_TRUE(wine->send_keys({"space"}));
  const WineRun run = wine->wait(process, seconds(30));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_FALSE(std::filesystem::exists(wine->windows_folder() + "/temp1"));
}

INSTANTIATE_TEST_SUITE_P(Drivers, WineMediaTest,
                         testing::Values(AudioCase{"i686", false}, AudioCase{"i686", true},
                                         AudioCase{"x86_64", false}, AudioCase{"x86_64", true}),
                         [](const auto& param_info) {
                           return std::string(param_info.param.architecture) +
                                  (param_info.param.audio_driver ? "_AudioOn" : "_AudioOff");
                         });

}  // namespace
}  // namespace showsaver::test
