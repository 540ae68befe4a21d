// The Windows player's music and scene sounds under Wine, with Wine's audio
// driver switched off and on: either way the show plays, ends on a key and
// shows no error.  And music opened as the device its bytes call for,
// whatever its name.
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
  ASSERT_TRUE(wine->wait_for_colour_in_middle(kSecondColour, seconds(60)))
      << wine->wait(process, seconds(0)).output;
  EXPECT_FALSE(wine->wait_for_window("^エラー$", seconds(1))) << "the show's error box";
  const WineRun run = wine->end_show_with_a_key(process);
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

// Music whose name does not say what it is: the player names the media
// control device from the file's first bytes, where the system would go by
// the extension (and find none, or the wrong one).  Wine's trace of the
// media control interface logs every command string as it arrives.
struct DeviceCase {
  const char* name;
  const char* architecture;
  const char* music_name;
  std::vector<std::uint8_t> (*music)();
  const char* device;
  friend void PrintTo(const DeviceCase& c, std::ostream* out) { *out << c.name; }
};

class WineMusicDeviceTest : public testing::TestWithParam<DeviceCase> {};

std::vector<std::uint8_t> short_sine() {
  return sine_wav(0.5);
}

TEST_P(WineMusicDeviceTest, TheOpenNamesTheDeviceTheBytesCallFor) {
  const DeviceCase& param = GetParam();
  const auto build = WineSession::windows_build_folder(param.architecture);
  ASSERT_TRUE(build) << "no Windows build folder for " << param.architecture;
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  const std::string show = install_windows_show(
      *build + "/showsaver.scr", wine->work_folder() + "/device-" + param.name + ".scr",
      PackageBuilder(40, 30)
          .music(param.music_name, param.music())
          .scene("first.bmp", bmp_file(solid_image(40, 30, kSecondColour)))
          .display_time(60'000)
          .build());
  ASSERT_TRUE(wine->move_mouse(kScreenWidth / 2, kScreenHeight / 2));
  const WineProcess process = wine->start(show, {"/s"}, {"WINEDEBUG=-all,trace+mci"});
  ASSERT_TRUE(wine->wait_for_colour_in_middle(kSecondColour, seconds(60)))
      << wine->wait(process, seconds(0)).output;
  ASSERT_TRUE(wine->move_mouse(5, 5));
  const WineRun run = wine->wait(process, seconds(30));
  EXPECT_EQ(run.status, 0);
  // As the trace writes it: L"open \"C:\\windows\\temp1\\<name>\" type <device> alias bgm"
  const std::string open =
      std::string("\\\\") + param.music_name + "\\\" type " + param.device + " alias bgm\"";
  EXPECT_NE(run.output.find(open), std::string::npos) << open << "\n" << run.output.substr(0, 2000);
}

INSTANTIATE_TEST_SUITE_P(
    Names, WineMusicDeviceTest,
    testing::Values(DeviceCase{"MidiNamedMp3", "i686", "tune.mp3", one_note_midi, "sequencer"},
                    DeviceCase{"MidiWithoutExtension", "x86_64", "tune", one_note_midi,
                               "sequencer"},
                    DeviceCase{"WavWithoutExtension", "i686", "music", short_sine, "waveaudio"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver::test
