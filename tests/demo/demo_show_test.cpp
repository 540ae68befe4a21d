// The demo show that `make run` plays, read back from the built package with
// the player's own reader: every transition and the cut, a transparent
// sprite, cross-fades, pan and zoom, a shuffled order, settings, music and
// sounds; the music and sounds decoded by SDL.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "formats/bmp/bmp_decoder.h"
#include "package/package_reader.h"
#include "platform/color.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

std::vector<std::uint8_t> read_bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  std::vector<std::uint8_t> bytes(std::size_t(std::max<std::streamoff>(file.tellg(), 0)));
  file.seekg(0);
  file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  return bytes;
}

class DemoShow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::vector<std::uint8_t> file = read_bytes(DEMO_SHOW_PATH);
    ASSERT_FALSE(file.empty()) << DEMO_SHOW_PATH;
    const PackageReadResult read = read_show_package(file, test::text_codec());
    ASSERT_TRUE(read.ok()) << read.error->message();
    package_ = new ShowPackage(read.package);
  }
  static void TearDownTestSuite() {
    delete package_;
    package_ = nullptr;
  }
  static const std::vector<SceneRecord>& scenes() { return *package_->Scenes; }

  static ShowPackage* package_;
};

ShowPackage* DemoShow::package_ = nullptr;

TEST_F(DemoShow, IsALargeShowWithSettingsMusicAndSounds) {
  EXPECT_GE(package_->PictureWidth, 1280);
  EXPECT_GE(package_->PictureHeight, 720);
  EXPECT_NE(package_->HasSettings, 0);
  EXPECT_GT(package_->BgmData.size(), 0u);
  ASSERT_EQ(std::size_t(package_->SceneCount), scenes().size());
  std::set<std::string> pictures, sounds;
  for (const SceneRecord& scene : scenes()) {
    pictures.insert(scene.PictureFileName);
    if (!scene.SoundFileName.empty()) sounds.insert(scene.SoundFileName);
    EXPECT_GE(scene.DisplayTime, 1500) << scene.PictureFileName;
    EXPECT_LE(scene.DisplayTime, 4000) << scene.PictureFileName;
  }
  EXPECT_GE(pictures.size(), 12u);
  EXPECT_GE(sounds.size(), 2u);
}

TEST_F(DemoShow, UsesEveryTransitionAndTheCut) {
  std::set<std::int32_t> effects;
  for (const SceneRecord& scene : scenes()) effects.insert(scene.EffectCode);
  std::set<std::int32_t> all;
  for (std::int32_t code = 0; code <= 29; ++code) all.insert(code);
  EXPECT_EQ(effects, all);
}

// A sprite over the previous picture: the background colour lets that
// picture through, so the sprite must have some of it, and other colours.
TEST_F(DemoShow, LaysATransparentSpriteOverThePreviousPicture) {
  const auto background = raw(to_pixel(package_->BackColor));
  int sprites = 0;
  for (const SceneRecord& scene : scenes()) {
    if (!scene.OverPrevious || !scene.Transparent || !scene.PictureData.present()) continue;
    ++sprites;
    const auto decoded = decode_bmp(*scene.PictureData.bytes);
    ASSERT_TRUE(std::holds_alternative<PixelImage>(decoded)) << scene.PictureFileName;
    const PixelImage& sprite = std::get<PixelImage>(decoded);
    const auto see_through = std::count(sprite.pixels.begin(), sprite.pixels.end(), background);
    EXPECT_GT(see_through, 0) << scene.PictureFileName;
    EXPECT_LT(see_through, std::ssize(sprite.pixels)) << scene.PictureFileName;
  }
  EXPECT_GE(sprites, 1);
}

// The round of cross-fades between holds that pan and zoom, in a shuffled
// show: a fade keeps a transition of the catalogue for players without
// fades (UsesEveryTransitionAndTheCut counts them), a moving hold is long
// enough to be seen moving, and a path given stays on the picture.
TEST_F(DemoShow, ShufflesAndCrossFadesBetweenHoldsThatPanAndZoom) {
  ASSERT_TRUE(package_->Extension);
  const ShowExtension& extension = *package_->Extension;
  EXPECT_EQ(extension.order(), ShowOrder::Shuffle);
  const Rect area{0, 0, package_->PictureWidth, package_->PictureHeight};
  const auto on_picture = [&](const Rect& part) {
    return part.left >= area.left && part.top >= area.top &&
           part.left + part.width <= area.left + area.width &&
           part.top + part.height <= area.top + area.height;
  };
  int fades = 0, seeded = 0, paths = 0;
  for (std::int32_t i = 0; i < package_->SceneCount; ++i) {
    const SceneRecord& scene = scenes()[std::size_t(i)];
    SCOPED_TRACE(scene.PictureFileName);
    if (const auto fade = extension.for_scene<FadeRecord>(i)) {
      ++fades;
      EXPECT_GE(fade->duration_ms, 500);
      EXPECT_LE(fade->duration_ms, 2000);
    }
    const auto seed = extension.for_scene<PanZoomSeedRecord>(i);
    const auto path = extension.for_scene<PanZoomPathRecord>(i);
    if (seed || path) {
      EXPECT_GE(scene.DisplayTime, 3000);
    }
    seeded += seed.has_value();
    if (path) {
      ++paths;
      EXPECT_TRUE(on_picture(path->start));
      EXPECT_TRUE(on_picture(path->end));
    }
  }
  EXPECT_GE(fades, 3);
  EXPECT_GE(seeded, 2);
  EXPECT_GE(paths, 1);
}

// The chunk structure of a Standard MIDI File: a 6-byte header, then as many
// track chunks as it says, each ending with the end-of-track event, filling
// the file exactly.
TEST_F(DemoShow, MusicIsAStandardMidiFile) {
  const std::vector<std::uint8_t>& midi = *package_->BgmData.bytes;
  const auto u32 = [&](std::size_t at) {
    return std::uint32_t(midi[at]) << 24 | std::uint32_t(midi[at + 1]) << 16 |
           std::uint32_t(midi[at + 2]) << 8 | midi[at + 3];
  };
  ASSERT_GE(midi.size(), 14u);
  ASSERT_EQ(std::string(midi.begin(), midi.begin() + 4), "MThd");
  ASSERT_EQ(u32(4), 6u);
  EXPECT_LE(midi[8] << 8 | midi[9], 1);  // format 0 or 1
  const int tracks = midi[10] << 8 | midi[11];
  EXPECT_GE(tracks, 3);
  std::size_t at = 14;
  int found = 0;
  while (at + 8 <= midi.size()) {
    ASSERT_EQ(std::string(midi.begin() + std::ptrdiff_t(at), midi.begin() + std::ptrdiff_t(at) + 4),
              "MTrk");
    const std::size_t end = at + 8 + u32(at + 4);
    ASSERT_LE(end, midi.size());
    EXPECT_EQ(std::vector<std::uint8_t>(midi.begin() + std::ptrdiff_t(end) - 3,
                                        midi.begin() + std::ptrdiff_t(end)),
              (std::vector<std::uint8_t>{0xFF, 0x2F, 0x00}));
    at = end;
    ++found;
  }
  EXPECT_EQ(at, midi.size());
  EXPECT_EQ(found, tracks);
}

// SDL and SDL_mixer on the dummy audio driver: no sound device needed.
class DemoMedia : public DemoShow {
 protected:
  void SetUp() override {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024), 0) << Mix_GetError();
  }
  void TearDown() override {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
  }
};

// The loudest sample mixed so far, written by SDL_mixer's audio thread.
std::atomic<int> mixed_peak{0};

void record_peak(void*, Uint8* stream, int length) {
  int peak = mixed_peak.load();
  for (int i = 0; i + 1 < length; i += 2) {
    peak = std::max(peak, std::abs(int(std::int16_t(stream[i] | stream[i + 1] << 8))));
  }
  mixed_peak.store(peak);
}

TEST_F(DemoMedia, MusicPlaysThroughTheSoundFont) {
  if (std::getenv("SDL_SOUNDFONTS") == nullptr) {
    Mix_SetSoundFonts("/usr/share/sounds/sf2/default-GM.sf2");
  }
  const std::vector<std::uint8_t>& midi = *package_->BgmData.bytes;
  Mix_Music* music = Mix_LoadMUS_RW(SDL_RWFromConstMem(midi.data(), int(midi.size())), 1);
  ASSERT_NE(music, nullptr) << Mix_GetError();
  EXPECT_EQ(Mix_GetMusicType(music), MUS_MID);
  mixed_peak = 0;
  Mix_SetPostMix(record_peak, nullptr);
  ASSERT_EQ(Mix_PlayMusic(music, 0), 0) << Mix_GetError();
  // The dummy driver mixes in real time: wait until the first notes sound,
  // for at most ten seconds.
  for (int waited = 0; waited < 1000 && mixed_peak.load() < 1000; ++waited) SDL_Delay(10);
  EXPECT_GE(mixed_peak.load(), 1000);
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HaltMusic();
  Mix_FreeMusic(music);
}

TEST_F(DemoMedia, SoundsAreShortAudible16BitPcm) {
  std::set<std::string> checked;
  for (const SceneRecord& scene : scenes()) {
    if (scene.SoundFileName.empty() || !scene.SoundData.present()) continue;
    if (!checked.insert(scene.SoundFileName).second) continue;
    SCOPED_TRACE(scene.SoundFileName);
    const std::vector<std::uint8_t>& wav = *scene.SoundData.bytes;
    SDL_AudioSpec format{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), int(wav.size())), 1, &format, &samples,
                             &length),
              nullptr)
        << SDL_GetError();
    EXPECT_EQ(format.format, AUDIO_S16LSB);
    const double seconds = double(length) / (2.0 * format.channels * format.freq);
    EXPECT_GT(seconds, 0.5);
    EXPECT_LT(seconds, 4.0);
    int peak = 0;
    for (Uint32 i = 0; i + 1 < length; i += 2) {
      peak = std::max(peak, std::abs(int(std::int16_t(samples[i] | samples[i + 1] << 8))));
    }
    EXPECT_GT(peak, 3000);   // heard
    EXPECT_LT(peak, 32767);  // and not clipped
    SDL_FreeWAV(samples);
  }
  EXPECT_GE(checked.size(), 2u);
}

}  // namespace
}  // namespace showsaver
