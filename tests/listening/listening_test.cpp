// The player listened to: "/s" on a private X server with SDL's disk audio
// driver, whose file is what a loudspeaker would have played.  The music is
// one pitch and the scene cue another, so either can be found at any moment.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "recording.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/wav_files.h"
#include "x_session.h"

namespace showsaver::test {
namespace {

constexpr double kMusicHz = 440;
constexpr double kCueHz = 1000;
// A quarter of full scale, as the tones are made; heard above a tenth of it.
constexpr double kHeard = 3000;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;

ByteVector file_data(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A sine of `hz` for `seconds`, mono at 22050 Hz, as sox writes it with the
// given sample encoding ("-b 16", "-e ima-adpcm", ...).
std::string tone(const TempDir& dir, const std::string& name, double hz, double seconds,
                 const std::vector<std::string>& encoding = {"-b", "16"}) {
  std::vector<std::string> command{"sox", "-n", "-r", "22050", "-c", "1"};
  command.insert(command.end(), encoding.begin(), encoding.end());
  for (const std::string& word :
       {dir.file(name), std::string("synth"), std::to_string(seconds), std::string("sine"),
        std::to_string(hz), std::string("vol"), std::string("0.25")}) {
    command.push_back(word);
  }
  run_tool(command, dir.file(name + ".sox"));
  return dir.file(name);
}

// Picture of one colour filling the show's area.
ByteVector picture(std::uint32_t rgb) {
  return bmp_file(solid_image(40, 30, rgb));
}

class ListeningTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(x.ok()); }

  std::string sound_file() const { return logs.file("device.raw"); }

  // Plays `package` until the device has written `seconds` of sound, then
  // ends the show (SIGTERM) and returns what was written.  Meanwhile the
  // screen's middle is watched for each colour of `marks` in turn, and
  // `marked` gets the place in the recording where each was first seen.
  Recording listen(const ShowPackage& package, double seconds,
                   const std::vector<std::string>& environment = {},
                   const std::vector<std::uint32_t>& marks = {}) {
    const std::string show = install_show(folder, "show.scr", package);
    std::vector<std::string> variables = session_environment(x, folder);
    variables.push_back("SDL_AUDIODRIVER=disk");
    variables.push_back("SDL_DISKAUDIOFILE=" + sound_file());
    variables.insert(variables.end(), environment.begin(), environment.end());
    Child player({show, "/s"}, variables, logs.file("player"));
    const auto bytes_per_second = static_cast<double>(kDeviceRate * kDeviceFrameBytes);
    const auto bytes = static_cast<std::uintmax_t>(seconds * bytes_per_second);
    marked.clear();
    const bool recorded = wait_until([&] {
      std::error_code error;
      const std::uintmax_t size = std::filesystem::file_size(sound_file(), error);
      if (error) return !player.running();
      if (marked.size() < marks.size() &&
          x.screenshot(400, 300, 1, 1).pixels.front() == marks[marked.size()]) {
        marked.push_back(static_cast<double>(size) / bytes_per_second);
      }
      return size >= bytes || !player.running();
    });
    EXPECT_TRUE(recorded && player.running()) << "the show plays on\n" << player.err();
    player.signal(SIGTERM);
    EXPECT_EQ(player.wait_exit(), 0) << player.err();
    log = player.err();
    return Recording::read(sound_file(), seconds);
  }

  TempDir folder;
  TempDir logs;
  TempDir sounds;
  XServer x;
  std::string log;
  std::vector<double> marked;
};

// Music of 1.5 s under scenes of 1 s each, the cue on the second.  The
// transitions are seen on the screen, each placed in the recording by how
// much the device had written then (which runs at most one buffer ahead):
// the music from the start, the cue as the first transition starts, silence
// once the music has run out, and the music again at the second transition.
TEST_F(ListeningTest, MusicFromTheStartTheCueAtItsSceneAndTheMusicAgainAfterItsEnd) {
  constexpr double kMusic = 1.5;
  const ShowPackage package =
      PackageBuilder(40, 30)
          .music("music.wav", file_data(tone(sounds, "music.wav", kMusicHz, kMusic)))
          .scene("red.bmp", picture(kRed))
          .display_time(1000)
          .scene("green.bmp", picture(kGreen))
          .display_time(1000)
          .sound("cue.wav", file_data(tone(sounds, "cue.wav", kCueHz, 0.3)))
          .build();
  const Recording heard = listen(package, 2.8, {}, {kGreen, kRed});
  ASSERT_GE(heard.seconds(), 2.7);
  ASSERT_EQ(marked.size(), 2u) << "both transitions seen";

  const auto music = heard.onset(kMusicHz, kHeard, 0, 1);
  ASSERT_TRUE(music) << "no music";
  // The device's first buffer may be mixed before the music starts.
  EXPECT_LE(*music, 0.1) << "the music starts with the device";
  const auto cue = heard.onset(kCueHz, kHeard, 0, 2);
  ASSERT_TRUE(cue) << "no cue";
  EXPECT_NEAR(*cue, marked[0], 0.1) << "the cue starts with the transition into its scene";
  EXPECT_FALSE(heard.onset(kCueHz, kHeard, *cue + 0.35, marked[1] + 0.5)) << "the cue plays once";
  const double music_end = *music + kMusic;
  EXPECT_LT(heard.level(kMusicHz, music_end + 0.05), kHeard / 10) << "the music ran out";
  const auto again = heard.onset(kMusicHz, kHeard, music_end + 0.05, 2.8);
  ASSERT_TRUE(again) << "the music never came back";
  EXPECT_GT(marked[1], music_end) << "the music ran out before the second transition";
  EXPECT_NEAR(*again, marked[1], 0.1) << "the music restarts at the next transition";
}

struct Format {
  const char* name;
  const char* extension;  // the names the show stores end with it
  std::vector<std::string> sample_encoding;
  // Turns the tone IN (16-bit PCM WAV) into OUT; empty: the tone as it is.
  std::vector<std::string> encoder;
};

void PrintTo(const Format& format, std::ostream* out) {
  *out << format.name;
}

const Format kFormats[] = {
    {"Pcm16", ".wav", {"-b", "16"}, {}},
    {"Pcm8", ".wav", {"-b", "8", "-e", "unsigned-integer"}, {}},
    {"ImaAdpcm", ".wav", {"-e", "ima-adpcm"}, {}},
    {"Vorbis", ".ogg", {"-b", "16"}, {"oggenc", "-Q", "IN", "-o", "OUT"}},
    {"Mp3", ".mp3", {"-b", "16"}, {"lame", "--quiet", "IN", "OUT"}},
    {"Flac", ".flac", {"-b", "16"}, {"flac", "-s", "-f", "IN", "-o", "OUT"}},
    // Told by the bytes, not by a name that lies.
    {"Mp3NamedWav", ".wav", {"-b", "16"}, {"lame", "--quiet", "IN", "OUT"}},
    {"WavNamedMid", ".mid", {"-b", "16"}, {}},
};

class FormatTest : public ListeningTest, public testing::WithParamInterface<Format> {
 protected:
  ByteVector encoded(const std::string& name, double hz, double seconds) {
    const Format& format = GetParam();
    const std::string raw = tone(sounds, name + ".raw.wav", hz, seconds, format.sample_encoding);
    if (format.encoder.empty()) return file_data(raw);
    std::vector<std::string> command = format.encoder;
    for (std::string& word : command) {
      if (word == "IN") word = raw;
      if (word == "OUT") word = sounds.file(name + ".encoded");
    }
    run_tool(command, sounds.file(name + ".encoder"));
    return file_data(sounds.file(name + ".encoded"));
  }
};

TEST_P(FormatTest, MusicAndCuePlay) {
  const std::string extension = GetParam().extension;
  const ShowPackage package = PackageBuilder(40, 30)
                                  .music("music" + extension, encoded("music", kMusicHz, 3))
                                  .scene("red.bmp", picture(kRed))
                                  .display_time(500)
                                  .scene("green.bmp", picture(kGreen))
                                  .display_time(60'000)
                                  .sound("cue" + extension, encoded("cue", kCueHz, 0.5))
                                  .build();
  const Recording heard = listen(package, 1.2);
  EXPECT_TRUE(heard.onset(kMusicHz, kHeard, 0, 0.3)) << "no music\n" << log;
  EXPECT_TRUE(heard.onset(kCueHz, kHeard, 0.4, 1.2)) << "no cue\n" << log;
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatTest, testing::ValuesIn(kFormats),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

struct SoundFontCase {
  const char* name;
  std::vector<std::string> environment;
  bool audible;
};

void PrintTo(const SoundFontCase& c, std::ostream* out) {
  *out << c.name;
}

class MidiTest : public ListeningTest, public testing::WithParamInterface<SoundFontCase> {};

TEST_P(MidiTest, PlaysThroughTheSoundFontOrSaysWhyNot) {
  const ShowPackage package = PackageBuilder(40, 30)
                                  .music("tune.mid", one_note_midi())
                                  .scene("red.bmp", picture(kRed))
                                  .display_time(60'000)
                                  .build();
  const Recording heard = listen(package, 0.8, GetParam().environment);
  const bool says_why = log.find("sound font") != std::string::npos;
  if (GetParam().audible) {
    EXPECT_GT(heard.peak(), 1000) << log;
    EXPECT_FALSE(says_why) << log;
  } else {
    EXPECT_EQ(heard.peak(), 0);
    EXPECT_TRUE(says_why) << log;
  }
}

INSTANTIATE_TEST_SUITE_P(SoundFonts, MidiTest,
                         testing::Values(SoundFontCase{"TheSystems", {"SDL_SOUNDFONTS"}, true},
                                         SoundFontCase{"None",
                                                       {"SDL_SOUNDFONTS=/nonexistent/none.sf2",
                                                        "SDL_FORCE_SOUNDFONTS=1",
                                                        "TIMIDITY_CFG=/nonexistent/none.cfg"},
                                                       false}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

struct SilentRun {
  const char* name;
  bool media;         // the show has music and a cue
  bool settings_off;  // the user switched both off
  std::vector<std::string> arguments;
  // Run until this window shows; nullptr: the second scene; "": the program
  // ends by itself.
  const char* window;
};

void PrintTo(const SilentRun& run, std::ostream* out) {
  *out << run.name;
}

class NoDeviceTest : public ListeningTest, public testing::WithParamInterface<SilentRun> {};

// Whatever the player does without anything to play, no sound device opens
// (the disk driver would create its file).
TEST_P(NoDeviceTest, NoSoundDeviceOpens) {
  const SilentRun& run = GetParam();
  PackageBuilder builder(40, 30);
  if (run.media) builder.has_settings();
  if (run.media) builder.music("music.wav", file_data(tone(sounds, "music.wav", kMusicHz, 1)));
  builder.scene("red.bmp", picture(kRed)).display_time(300);
  builder.scene("green.bmp", picture(kGreen)).display_time(60'000);
  if (run.media) builder.sound("cue.wav", file_data(tone(sounds, "cue.wav", kCueHz, 1)));
  const std::string show = install_show(folder, "show.scr", builder.build());
  if (run.settings_off) write_text_file(folder.file("show.set"), std::string(4, '\0'));
  std::vector<std::string> variables = session_environment(x, folder);
  variables.push_back("SDL_AUDIODRIVER=disk");
  variables.push_back("SDL_DISKAUDIOFILE=" + sound_file());
  std::vector<std::string> command{show};
  command.insert(command.end(), run.arguments.begin(), run.arguments.end());
  Child player(command, variables, logs.file("player"));

  if (run.window != nullptr && *run.window == '\0') {
    EXPECT_EQ(player.wait_exit(), 0) << player.err();
  } else {
    const bool reached =
        run.window != nullptr
            ? x.wait_for_window(run.window) != 0
            : wait_until([&] { return x.screenshot(400, 300, 1, 1).pixels.front() == kGreen; });
    EXPECT_TRUE(reached) << player.err();
    EXPECT_TRUE(player.running()) << player.err();
    player.signal(SIGTERM);
    EXPECT_EQ(player.wait_exit(), 0) << player.err();
  }
  EXPECT_FALSE(std::filesystem::exists(sound_file()));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, NoDeviceTest,
    testing::Values(SilentRun{"ShowWithoutMusicOrSounds", false, false, {"/s"}, nullptr},
                    SilentRun{"ShowWithBothSwitchedOff", true, true, {"/s"}, nullptr},
                    SilentRun{"DisplayModeWithBothOff",
                              true,
                              false,
                              {"--root", "--music", "off", "--sounds", "off"},
                              nullptr},
                    SilentRun{"SettingsDialog", true, false, {"/c"}, "設定"},
                    SilentRun{"PasswordChange", true, false, {"/a"}, ""},
                    SilentRun{"Preview", true, false, {"/p"}, ""}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver::test
