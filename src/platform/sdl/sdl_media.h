// The media seam on SDL2_mixer: the "bgm" music device driven by media control
// command strings, and one-shot sounds, with Win32's answers and error codes.
#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/media.h"
#include "platform/media_command.h"

namespace showsaver {

// Opens the audio device when the first music file is opened or the first
// sound played (initialising SDL's audio subsystem when nobody has yet), so a
// run that plays nothing never touches it, and releases all of it when
// destroyed.  Without an audio device every command fails quietly and the
// show runs silently.  Files are told apart by their content, never by
// their names.  MIDI plays through a General MIDI sound font: the one
// $SDL_SOUNDFONTS names, else the first of the system's usual ones.
// Not thread-safe: every call comes from the user-interface thread.
class SdlMedia final : public Media {
 public:
  // `log` hears why music that was asked for stays silent.
  explicit SdlMedia(std::function<void(const std::string&)> log = {});
  ~SdlMedia() override;
  SdlMedia(const SdlMedia&) = delete;
  SdlMedia& operator=(const SdlMedia&) = delete;

  // Understands the commands of platform/media_command.h.  Any format
  // SDL2_mixer loads can be opened.
  unsigned send_media_command(const std::string& command, std::string& reply,
                              unsigned reply_capacity) override;
  // Plays a file once on the sound channel, cutting off the sound before it;
  // a null `path` or SND_PURGE only stops the sound.  Always asynchronous (the
  // user-interface thread never waits for a sound), and a file that cannot be
  // loaded plays nothing, as there is no system default sound to fall back on.
  bool play_sound(const std::string* path, unsigned flags) override;

  // Opens the audio device unless it is open or has failed to open already;
  // false (and one line in the log) when there is none.
  bool audio_available();

  // The mixer channel the one-shot sounds play on.
  static constexpr int kSoundChannel = 0;

 private:
  // Starts SDL's audio and the mixer, their own chatter kept off standard error.
  bool open_audio();
  unsigned execute(const MediaCommand& command, std::string& reply);
  unsigned open_music(const std::string& path);
  Mix_Music* load_music(const std::string& path);
  unsigned play_music();
  void rewind_music();
  void close_music();
  std::string music_mode() const;
  void stop_sound();
  void log(const std::string& message) const;

  std::function<void(const std::string&)> log_;

  bool audio_tried_ = false;
  bool started_audio_subsystem_ = false;
  bool audio_open_ = false;
  Mix_Music* music_ = nullptr;
  // True while the music's position is its start (after open and seek): only
  // then does "play" start it, as a device that ran to its end stays there.
  bool music_at_start_ = false;
  // A WAVE file the music decoders cannot read (IMA ADPCM), decoded by SDL
  // and rewrapped as plain PCM: the bytes the music plays from.
  std::vector<std::uint8_t> music_bytes_;
  Mix_Chunk* sound_ = nullptr;
};

}  // namespace showsaver
