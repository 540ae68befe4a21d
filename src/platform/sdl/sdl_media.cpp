#include "platform/sdl/sdl_media.h"

#include <SDL.h>

namespace showsaver {

namespace {

// Bytes per mixing pass: small enough that a cue starts promptly.
constexpr int kMixChunkSize = 2048;

}  // namespace

SdlMedia::SdlMedia() = default;

bool SdlMedia::audio_available() {
  if (audio_tried_) return audio_open_;
  audio_tried_ = true;
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    started_audio_subsystem_ = true;
  }
  if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, MIX_DEFAULT_CHANNELS,
                    kMixChunkSize) != 0) {
    if (started_audio_subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    started_audio_subsystem_ = false;
    return false;
  }
  audio_open_ = true;
  // Keeps the sound channel out of the mixer's own channel picking.
  Mix_ReserveChannels(kSoundChannel + 1);
  return true;
}

SdlMedia::~SdlMedia() {
  stop_sound();
  if (music_ != nullptr) close_music();
  if (audio_open_) Mix_CloseAudio();
  if (started_audio_subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

unsigned SdlMedia::send_media_command(const std::string& command, std::string& reply,
                                      unsigned reply_capacity) {
  return answer_media_command(
      command, reply, reply_capacity,
      [this](const MediaCommand& known, std::string& answer) { return execute(known, answer); });
}

unsigned SdlMedia::execute(const MediaCommand& command, std::string& reply) {
  if (command.verb == MediaVerb::Open) return open_music(command.path);
  if (music_ == nullptr) return media_error::kInvalidDeviceName;
  switch (command.verb) {
    case MediaVerb::Play:
      return play_music();
    case MediaVerb::Status:
      reply = music_mode();
      return 0;
    case MediaVerb::Seek:
      rewind_music();
      return 0;
    case MediaVerb::Close:
      close_music();
      return 0;
    case MediaVerb::Open:
      break;
  }
  return media_error::kUnrecognizedCommand;
}

unsigned SdlMedia::open_music(const std::string& path) {
  if (music_ != nullptr) return media_error::kDuplicateAlias;
  if (!audio_available()) return media_error::kHardware;
  music_ = Mix_LoadMUS(path.c_str());
  if (music_ == nullptr) return media_error::kFileNotFound;
  music_at_start_ = true;
  return 0;
}

unsigned SdlMedia::play_music() {
  // The mixer counts paused music as playing; "play" resumes it.
  if (Mix_PlayingMusic() != 0) {
    if (Mix_PausedMusic() != 0) Mix_ResumeMusic();
    return 0;
  }
  // Music that ran out stays at its end, and playing from the end ends at
  // once: the device keeps reporting "stopped" until it is rewound.
  if (!music_at_start_) return 0;
  if (Mix_PlayMusic(music_, 0) != 0) return media_error::kHardware;
  music_at_start_ = false;
  return 0;
}

void SdlMedia::rewind_music() {
  Mix_HaltMusic();
  music_at_start_ = true;
}

void SdlMedia::close_music() {
  Mix_HaltMusic();
  Mix_FreeMusic(music_);
  music_ = nullptr;
  music_at_start_ = false;
}

std::string SdlMedia::music_mode() const {
  // Checked in this order because the mixer's paused flag outlives a halt.
  if (Mix_PlayingMusic() == 0) return "stopped";
  return Mix_PausedMusic() != 0 ? "paused" : "playing";
}

bool SdlMedia::play_sound(const std::string* path, unsigned flags) {
  // Without SND_NOSTOP every call first cuts off the sound that is playing,
  // even when its own file turns out to be missing.
  stop_sound();
  if (path == nullptr || (flags & snd::PURGE) != 0) return true;
  if (!audio_available()) return false;
  sound_ = Mix_LoadWAV(path->c_str());
  if (sound_ == nullptr) return false;
  if (Mix_PlayChannel(kSoundChannel, sound_, 0) < 0) {
    stop_sound();
    return false;
  }
  return true;
}

void SdlMedia::stop_sound() {
  if (sound_ == nullptr) return;
  // The mixer's thread reads the chunk until its channel is halted.
  Mix_HaltChannel(kSoundChannel);
  Mix_FreeChunk(sound_);
  sound_ = nullptr;
}

}  // namespace showsaver
