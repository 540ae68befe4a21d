#include "platform/sdl/sdl_media.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <utility>

namespace showsaver {

namespace {

// Bytes per mixing pass: small enough that a cue starts promptly.
constexpr int kMixChunkSize = 2048;

// The General MIDI sound fonts Debian's packages install (timgm6mb-soundfont,
// fluid-soundfont-gm), the system's chosen one first.
constexpr std::array kSystemSoundFonts{
    "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf3/FluidR3_GM.sf3"};

bool readable_file(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), R_OK) == 0;
}

// Points the mixer at the first system sound font, unless the user named some.
void choose_sound_font() {
  if (SDL_getenv("SDL_SOUNDFONTS") != nullptr) return;
  for (const char* font : kSystemSoundFonts) {
    if (readable_file(font)) {
      Mix_SetSoundFonts(font);
      return;
    }
  }
}

// True when one of the ';'-separated sound fonts the mixer would use can be read.
bool sound_font_readable() {
  const char* fonts = Mix_GetSoundFonts();
  if (fonts == nullptr) return false;
  std::string_view rest(fonts);
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find(';'), rest.size());
    if (readable_file(std::string(rest.substr(0, end)))) return true;
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return false;
}

// True when `source` starts with `magic`; leaves it at its start.
bool starts_with(SDL_RWops* source, std::string_view magic) {
  std::array<char, 8> head{};
  const std::size_t read = SDL_RWread(source, head.data(), 1, magic.size());
  SDL_RWseek(source, 0, RW_SEEK_SET);
  return read == magic.size() && std::string_view(head.data(), read) == magic;
}

void put_u16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  put_u16(out, value & 0xFFFF);
  put_u16(out, value >> 16);
}

void put_tag(std::vector<std::uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

// A WAVE file that SDL decodes (IMA and MS ADPCM, A-law, mu-law as well as
// PCM) as a plain PCM or float WAVE file; nothing when SDL cannot decode it.
std::vector<std::uint8_t> plain_wave(const std::string& path) {
  SDL_AudioSpec audio_format{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(path.c_str(), &audio_format, &samples, &length) == nullptr) return {};
  const unsigned bits = SDL_AUDIO_BITSIZE(audio_format.format);
  const unsigned block = audio_format.channels * bits / 8;
  std::vector<std::uint8_t> wave;
  wave.reserve(44 + length);
  put_tag(wave, "RIFF");
  put_u32(wave, 36 + length);
  put_tag(wave, "WAVE");
  put_tag(wave, "fmt ");
  put_u32(wave, 16);
  put_u16(wave, SDL_AUDIO_ISFLOAT(audio_format.format) ? 3 : 1);
  put_u16(wave, audio_format.channels);
  put_u32(wave, static_cast<std::uint32_t>(audio_format.freq));
  put_u32(wave, static_cast<std::uint32_t>(audio_format.freq) * block);
  put_u16(wave, block);
  put_u16(wave, bits);
  put_tag(wave, "data");
  put_u32(wave, length);
  wave.insert(wave.end(), samples, samples + length);
  SDL_FreeWAV(samples);
  return wave;
}

// Standard error sent to nothing while it lives.  Without a sound device,
// the audio libraries under SDL report every driver they try there, at every
// start; the one line that matters goes to the log instead.
class QuietStandardError {
 public:
  QuietStandardError() {
    std::fflush(stderr);
    const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nothing < 0) return;
    saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (saved_ >= 0) ::dup2(nothing, STDERR_FILENO);
    ::close(nothing);
  }
  ~QuietStandardError() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace

SdlMedia::SdlMedia(std::function<void(const std::string&)> log) : log_(std::move(log)) {}

void SdlMedia::log(const std::string& message) const {
  if (log_) log_(message);
}

bool SdlMedia::audio_available() {
  if (audio_tried_) return audio_open_;
  audio_tried_ = true;
  if (!open_audio()) {
    log(std::string("No sound device: ") + SDL_GetError() + "; the show plays silently.");
    return false;
  }
  audio_open_ = true;
  choose_sound_font();
  // Keeps the sound channel out of the mixer's own channel picking.
  Mix_ReserveChannels(kSoundChannel + 1);
  return true;
}

bool SdlMedia::open_audio() {
  const QuietStandardError quiet;
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
  music_ = load_music(path);
  if (music_ == nullptr) return media_error::kFileNotFound;
  music_at_start_ = true;
  return 0;
}

Mix_Music* SdlMedia::load_music(const std::string& path) {
  SDL_RWops* source = SDL_RWFromFile(path.c_str(), "rb");
  if (source == nullptr) {
    log("The music \"" + path + "\" stays silent: " + SDL_GetError());
    return nullptr;
  }
  const bool midi = starts_with(source, "MThd");
  // The mixer tells the format from the bytes, whatever the name says.
  Mix_Music* music = Mix_LoadMUS_RW(source, SDL_TRUE);
  if (music != nullptr) return music;
  std::string reason = Mix_GetError();
  // The music decoders read plain WAVE data only; SDL decodes the rest.
  music_bytes_ = plain_wave(path);
  if (!music_bytes_.empty()) {
    music = Mix_LoadMUS_RW(
        SDL_RWFromConstMem(music_bytes_.data(), static_cast<int>(music_bytes_.size())), SDL_TRUE);
    if (music != nullptr) return music;
    music_bytes_.clear();
  }
  if (midi && !sound_font_readable()) {
    reason =
        "MIDI needs a General MIDI sound font and none can be read (install "
        "timgm6mb-soundfont, or name one in SDL_SOUNDFONTS)";
  }
  log("The music \"" + path + "\" stays silent: " + reason);
  return nullptr;
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
  music_bytes_.clear();
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
