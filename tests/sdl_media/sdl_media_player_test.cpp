// The player's music and sound code driving the real backend: the music
// restarts after running out, and the end of the show silences everything.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "player/background_music.h"
#include "player/show_context.h"
#include "sdl_media_fixture.h"

namespace showsaver::test {
namespace {

class SdlBackgroundMusicTest : public SdlMediaTest {
 protected:
  void SetUp() override {
    SdlMediaTest::SetUp();
    package_.BgmFileName = "music.wav";
    state_.TempFolder = dir_.path();
  }
  ShowPackage package_;
  ShowContext state_{package_, "", -1, -1};
};

TEST_F(SdlBackgroundMusicTest, MusicRestartsAtThePollAfterItRanOut) {
  BackgroundMusic music(*media_, state_);
  music.start();
  EXPECT_EQ(mode(), "playing");
  music.poll();
  EXPECT_EQ(mode(), "playing");
  Mix_HaltMusic();  // what the stream running out looks like
  EXPECT_EQ(mode(), "stopped");
  music.poll();
  EXPECT_EQ(mode(), "playing");
  music.close();
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(send("status bgm mode").error, media_error::kInvalidDeviceName);
}

TEST_F(SdlBackgroundMusicTest, PausedMusicIsNotRestarted) {
  BackgroundMusic music(*media_, state_);
  music.start();
  Mix_PauseMusic();
  music.poll();
  EXPECT_EQ(mode(), "paused");
}

TEST_F(SdlBackgroundMusicTest, MissingMusicFileLeavesTheShowSilent) {
  package_.BgmFileName = "missing.mid";
  BackgroundMusic music(*media_, state_);
  music.start();
  music.poll();
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  music.close();
}

TEST_F(SdlBackgroundMusicTest, CuesPlayAndStopSoundsSilencesThem) {
  BackgroundMusic music(*media_, state_);
  music.play_cue("short cue.wav");
  EXPECT_EQ(Mix_Playing(SdlMedia::kSoundChannel), 1);
  music.stop_sounds();
  EXPECT_EQ(Mix_Playing(-1), 0);
}

}  // namespace
}  // namespace showsaver::test
