#include "sdl_media_fixture.h"

#include <cstdlib>

#include "support/bitmap_files.h"
#include "support/wav_files.h"

namespace showsaver::test {

void write_sine_wav(const std::string& path, double seconds) {
  write_file(path, sine_wav(seconds));
}

void SdlMediaTest::SetUp() {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  music_path_ = dir_.file("music.wav");
  short_cue_path_ = dir_.file("short cue.wav");
  long_cue_path_ = dir_.file("long cue.wav");
  write_sine_wav(music_path_, 20.0);
  write_sine_wav(short_cue_path_, 5.0);
  write_sine_wav(long_cue_path_, 8.0);
  media_ = std::make_unique<SdlMedia>();
  ASSERT_TRUE(media_->audio_available()) << SDL_GetError();
}

void PrintTo(const MciAnswer& answer, std::ostream* out) {
  *out << "{error " << answer.error << ", reply \"" << answer.reply << "\"}";
}

MciAnswer SdlMediaTest::send(const std::string& command, unsigned capacity) {
  std::string reply = "stale reply";
  const unsigned error = media_->send_media_command(command, reply, capacity);
  return {error, reply};
}

}  // namespace showsaver::test
