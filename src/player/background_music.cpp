#include "player/background_music.h"

namespace showsaver {

BackgroundMusic::BackgroundMusic(Media& media, const RunState& state)
    : media_(media), state_(state) {}

bool BackgroundMusic::music_on() const {
  return !state_.package.BgmFileName.empty() && state_.BgmEnabled != 0;
}

void BackgroundMusic::send(const std::string& command) {
  media_.send_media_command(command, reply_, kReplyCapacity);
}

void BackgroundMusic::start() {
  if (!music_on()) return;
  send("open \"" + state_.TempFolder + state_.package.BgmFileName + "\" alias bgm");
  send("play bgm");
}

void BackgroundMusic::poll() {
  if (!music_on()) return;
  send("status bgm mode");
  if (reply_.substr(0, 7) == "stopped") {
    send("seek bgm to start");
    send("play bgm");
  }
}

void BackgroundMusic::close() {
  if (state_.package.BgmFileName.empty()) return;
  send("close bgm");
}

void BackgroundMusic::play_cue(const std::string& sound_file_name) {
  if (sound_file_name.empty() || state_.SoundEnabled == 0) return;
  const std::string path = state_.TempFolder + sound_file_name;
  media_.play_sound(&path, snd::FILENAME | snd::NODEFAULT | snd::ASYNC);
}

void BackgroundMusic::stop_sounds() { media_.play_sound(nullptr, snd::PURGE); }

}  // namespace showsaver
