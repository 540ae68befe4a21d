// One-shot sounds: one at a time, each cutting off the one before it.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/media.h"
#include "sdl_media_fixture.h"
#include "support/temp_dir.h"

namespace showsaver::test {
namespace {

constexpr unsigned kCueFlags = snd::FILENAME | snd::NODEFAULT | snd::ASYNC;

class SdlSoundTest : public SdlMediaTest {
 protected:
  bool play(const std::string& path) { return media_->play_sound(&path, kCueFlags); }
  // The converted length of what the sound channel plays, 0 when it is silent.
  static Uint32 playing_length() {
    if (Mix_Playing(SdlMedia::kSoundChannel) == 0) return 0;
    return Mix_GetChunk(SdlMedia::kSoundChannel)->alen;
  }
};

TEST_F(SdlSoundTest, CuePlaysOnceOnTheSoundChannel) {
  EXPECT_TRUE(play(short_cue_path_));
  EXPECT_GT(playing_length(), 0u);
  EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(SdlSoundTest, FileThatCannotBeLoadedPlaysNothing) {
  write_text_file(dir_.file("notes.txt"), "not a sound at all, just some text");
  for (const std::string& path : {dir_.file("missing.wav"), dir_.file("notes.txt"), dir_.path()}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(play(path));
    EXPECT_EQ(Mix_Playing(-1), 0);
  }
}

TEST_F(SdlSoundTest, NextCueCutsOffThePreviousOne) {
  ASSERT_TRUE(play(long_cue_path_));
  const Uint32 long_length = playing_length();
  ASSERT_TRUE(play(short_cue_path_));
  const Uint32 short_length = playing_length();
  EXPECT_GT(short_length, 0u);
  EXPECT_LT(short_length, long_length);
  EXPECT_EQ(Mix_Playing(-1), 1);
  ASSERT_TRUE(play(long_cue_path_));
  EXPECT_EQ(playing_length(), long_length);
  EXPECT_EQ(Mix_Playing(-1), 1);
}

// Every call cuts off the playing sound first, even one whose file is missing.
TEST_F(SdlSoundTest, CueOfAMissingFileStillCutsOffThePreviousOne) {
  ASSERT_TRUE(play(long_cue_path_));
  EXPECT_FALSE(play(dir_.file("missing.wav")));
  EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SdlSoundTest, PurgeStopsTheSoundButNotTheMusic) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  ASSERT_TRUE(play(short_cue_path_));
  EXPECT_TRUE(media_->play_sound(nullptr, snd::PURGE));
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_EQ(mode(), "playing");
  EXPECT_TRUE(media_->play_sound(nullptr, snd::PURGE));  // nothing left to stop
  EXPECT_TRUE(play(short_cue_path_));                    // the channel is usable again
  EXPECT_GT(playing_length(), 0u);
}

TEST_F(SdlSoundTest, DestroyingWhileEverythingPlaysReleasesItAll) {
  ASSERT_EQ(open(music_path_).error, 0u);
  ASSERT_EQ(send("play bgm").error, 0u);
  ASSERT_TRUE(play(long_cue_path_));
  media_.reset();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  media_ = std::make_unique<SdlMedia>();
  ASSERT_TRUE(media_->audio_available());
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_TRUE(play(short_cue_path_));
}

}  // namespace
}  // namespace showsaver::test
