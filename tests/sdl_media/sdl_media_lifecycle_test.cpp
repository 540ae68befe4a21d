// The audio device's lifetime: who initialises SDL's audio, and a show that
// runs silently when there is no audio device at all.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/media.h"
#include "platform/sdl/sdl_media.h"
#include "sdl_media_fixture.h"
#include "support/temp_dir.h"

namespace showsaver::test {
namespace {

TEST(SdlMediaLifecycleTest, QuitsTheAudioSubsystemOnlyWhenItStartedIt) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  { SdlMedia media; }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);

  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
  {
    SdlMedia media;
    EXPECT_TRUE(media.audio_available());
  }
  EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

TEST(SdlMediaLifecycleTest, TheDeviceOpensOnlyWhenSomethingIsToBePlayed) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  TempDir dir;
  const std::string cue = dir.file("cue.wav");
  write_sine_wav(cue, 0.1);
  SdlMedia media;
  std::string reply;
  // What a show without music or with both settings off still sends.
  media.send_media_command("close bgm", reply, 256);
  media.play_sound(nullptr, snd::PURGE);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  EXPECT_TRUE(media.play_sound(&cue, snd::FILENAME | snd::NODEFAULT | snd::ASYNC));
  EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST(SdlMediaLifecycleTest, WithoutAnAudioDeviceEverythingFailsQuietly) {
  TempDir dir;
  const std::string music = dir.file("music.wav");
  write_sine_wav(music, 1.0);
  // Every driver there is tried, as on a machine without sound: what they
  // say is one line in the log, nothing on standard error.
  ::unsetenv("SDL_AUDIODRIVER");
  ::setenv("AUDIODEV", "no-such-device", 1);
  ::setenv("PULSE_SERVER", "unix:/no-such-server", 1);
  std::vector<std::string> logged;
  SdlMedia media([&](const std::string& line) { logged.push_back(line); });
  testing::internal::CaptureStderr();
  const bool available = media.audio_available();
  const std::string chatter = testing::internal::GetCapturedStderr();
  ::unsetenv("AUDIODEV");
  ::unsetenv("PULSE_SERVER");
  if (available) GTEST_SKIP() << "this machine has a sound device after all";
  EXPECT_EQ(chatter, "");
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_TRUE(logged[0].starts_with("No sound device: ")) << logged[0];
  std::string reply = "stale";
  EXPECT_EQ(media.send_media_command("open \"" + music + "\" alias bgm", reply, 256),
            media_error::kHardware);
  for (const char* command : {"play bgm", "status bgm mode", "seek bgm to start", "close bgm"}) {
    reply = "stale";
    EXPECT_EQ(media.send_media_command(command, reply, 256), media_error::kInvalidDeviceName)
        << command;
    EXPECT_EQ(reply, "") << command;
  }
  EXPECT_FALSE(media.play_sound(&music, snd::FILENAME | snd::NODEFAULT | snd::ASYNC));
  EXPECT_TRUE(media.play_sound(nullptr, snd::PURGE));
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

}  // namespace
}  // namespace showsaver::test
