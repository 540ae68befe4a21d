#include "player/background_music.h"

namespace showsaver {

BackgroundMusic::BackgroundMusic(Media& media, const ShowContext& show)
    : media_(media), show_(show) {}

bool BackgroundMusic::music_on() const {
  return !show_.package.BgmFileName.empty() && show_.BgmEnabled != 0 && !show_.preview();
}

void BackgroundMusic::send(const std::string& command) {
  media_.send_media_command(command, reply_, kReplyCapacity);
}

void BackgroundMusic::start() {
  if (!music_on()) return;
  started_ = true;
  if (!silent_) open_and_play();
}

void BackgroundMusic::open_and_play() {
  send("open \"" + show_.TempFolder + show_.package.BgmFileName + "\" alias bgm");
  send("play bgm");
}

void BackgroundMusic::poll() {
  if (!music_on() || silent_) return;
  send("status bgm mode");
  if (reply_.substr(0, 7) == "stopped") {
    send("seek bgm to start");
    send("play bgm");
  }
}

void BackgroundMusic::close() {
  started_ = false;
  if (show_.package.BgmFileName.empty() || show_.preview()) return;
  send("close bgm");
}

void BackgroundMusic::play_cue(const std::string& sound_file_name) {
  if (sound_file_name.empty() || show_.SoundEnabled == 0 || silent_ || show_.preview()) return;
  const std::string path = show_.TempFolder + sound_file_name;
  media_.play_sound(&path, snd::FILENAME | snd::NODEFAULT | snd::ASYNC);
}

void BackgroundMusic::stop_sounds() {
  if (show_.preview()) return;
  media_.play_sound(nullptr, snd::PURGE);
}

void BackgroundMusic::fall_silent() {
  if (silent_) return;
  silent_ = true;
  if (started_) send("close bgm");
  stop_sounds();
}

void BackgroundMusic::sound_again() {
  if (!silent_) return;
  silent_ = false;
  if (started_) open_and_play();
}

}  // namespace showsaver
