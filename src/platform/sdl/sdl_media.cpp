#include "platform/sdl/sdl_media.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

namespace showsaver {

namespace {

// Bytes per mixing pass: small enough that a cue starts promptly.
constexpr int kMixChunkSize = 2048;

enum class Verb { Open, Play, Status, Seek, Close };

struct CommandForm {
  Verb verb;
  std::vector<std::string_view> words;  // kAnyWord matches any one word
};

constexpr std::string_view kAnyWord = "*";

// The one device this backend has is the music, under the alias "bgm".
const std::vector<CommandForm>& command_forms() {
  static const std::vector<CommandForm> forms = {
      {Verb::Open, {"open", kAnyWord, "alias", "bgm"}},
      {Verb::Play, {"play", "bgm"}},
      {Verb::Status, {"status", "bgm", "mode"}},
      {Verb::Seek, {"seek", "bgm", "to", "start"}},
      {Verb::Close, {"close", "bgm"}},
  };
  return forms;
}

// Splits a command into words as the Win32 parser does: blanks separate
// words, and a word in double quotes keeps its blanks (a path with spaces).
// Nothing for a quote that is never closed.
std::optional<std::vector<std::string>> split_words(const std::string& command) {
  constexpr const char* kBlanks = " \t";
  std::vector<std::string> words;
  std::size_t at = command.find_first_not_of(kBlanks);
  while (at != std::string::npos) {
    std::size_t next;
    if (command[at] == '"') {
      const std::size_t close = command.find('"', at + 1);
      if (close == std::string::npos) return std::nullopt;
      words.push_back(command.substr(at + 1, close - at - 1));
      next = close + 1;
    } else {
      next = command.find_first_of(kBlanks, at);
      words.push_back(command.substr(at, next - at));
    }
    at = next == std::string::npos ? next : command.find_first_not_of(kBlanks, next);
  }
  return words;
}

bool same_word(std::string_view word, std::string_view keyword) {
  return std::ranges::equal(word, keyword, [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

bool matches(const std::vector<std::string>& words, const CommandForm& form) {
  if (words.size() != form.words.size()) return false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (form.words[i] != kAnyWord && !same_word(words[i], form.words[i])) return false;
  }
  return true;
}

}  // namespace

SdlMedia::SdlMedia() {
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    started_audio_subsystem_ = true;
  }
  if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, MIX_DEFAULT_CHANNELS,
                    kMixChunkSize) != 0) {
    if (started_audio_subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    started_audio_subsystem_ = false;
    return;
  }
  audio_open_ = true;
  // Keeps the sound channel out of the mixer's own channel picking.
  Mix_ReserveChannels(kSoundChannel + 1);
}

SdlMedia::~SdlMedia() {
  stop_sound();
  if (music_ != nullptr) close_music();
  if (audio_open_) Mix_CloseAudio();
  if (started_audio_subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

unsigned SdlMedia::mciSendString(const std::string& command, std::string& reply,
                                 unsigned reply_capacity) {
  reply.clear();
  const unsigned error = execute(command, reply);
  // The caller's buffer holds reply_capacity characters with the terminator.
  if (reply.size() >= reply_capacity) reply.resize(reply_capacity > 0 ? reply_capacity - 1 : 0);
  return error;
}

unsigned SdlMedia::execute(const std::string& command, std::string& reply) {
  const std::optional<std::vector<std::string>> words = split_words(command);
  if (!words) return kErrorUnrecognizedCommand;
  const auto& forms = command_forms();
  const auto form = std::ranges::find_if(forms, [&](const auto& f) { return matches(*words, f); });
  if (form == forms.end()) return kErrorUnrecognizedCommand;
  if (form->verb == Verb::Open) return open_music((*words)[1]);
  if (music_ == nullptr) return kErrorInvalidDeviceName;
  switch (form->verb) {
    case Verb::Play:
      return play_music();
    case Verb::Status:
      reply = music_mode();
      return 0;
    case Verb::Seek:
      rewind_music();
      return 0;
    case Verb::Close:
      close_music();
      return 0;
    case Verb::Open:
      break;
  }
  return kErrorUnrecognizedCommand;
}

unsigned SdlMedia::open_music(const std::string& path) {
  if (music_ != nullptr) return kErrorDuplicateAlias;
  if (!audio_open_) return kErrorHardware;
  music_ = Mix_LoadMUS(path.c_str());
  if (music_ == nullptr) return kErrorFileNotFound;
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
  if (Mix_PlayMusic(music_, 0) != 0) return kErrorHardware;
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

bool SdlMedia::PlaySound(const std::string* path, unsigned flags) {
  // Without SND_NOSTOP every call first cuts off the sound that is playing,
  // even when its own file turns out to be missing.
  stop_sound();
  if (path == nullptr || (flags & snd::PURGE) != 0) return true;
  if (!audio_open_) return false;
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
