#include "platform/scripted/scripted_media.h"

namespace showsaver {

ScriptedMedia::ScriptedMedia(VirtualClock& clock, EventLog& log, FileSystem& files)
    : clock_(clock), log_(log), files_(files) {}

std::string ScriptedMedia::mode() const {
  if (paused_) return "paused";
  if (!playing_) return "stopped";
  const std::int64_t position = position_ms_ + clock_.elapsed() - played_since_ms_;
  return position >= music_length_ms_ ? "stopped" : "playing";
}

unsigned ScriptedMedia::execute(const MediaCommand& command, std::string& reply) {
  if (command.verb == MediaVerb::Open) {
    if (open_ || !files_.is_plain_file(command.path)) return media_error::kFileNotFound;
    open_ = true;
    position_ms_ = 0;
    return 0;
  }
  if (!open_) return media_error::kInvalidDeviceName;
  switch (command.verb) {
    case MediaVerb::Play:
      if (mode() == "stopped" && playing_) position_ms_ = music_length_ms_;
      playing_ = true;
      paused_ = false;
      played_since_ms_ = clock_.elapsed();
      break;
    case MediaVerb::Status:
      reply = mode();
      break;
    case MediaVerb::Seek:
      position_ms_ = 0;
      playing_ = false;
      break;
    case MediaVerb::Close:
      open_ = playing_ = paused_ = false;
      break;
    case MediaVerb::Open:
      break;
  }
  return 0;
}

unsigned ScriptedMedia::send_media_command(const std::string& command, std::string& reply,
                                           unsigned reply_capacity) {
  commands_.push_back(command);
  const unsigned error = answer_media_command(
      command, reply, reply_capacity,
      [this](const MediaCommand& known, std::string& answer) { return execute(known, answer); });
  log_.add(
      clock_.now(), clock_.elapsed(), "mci",
      {json_string("command", command), json_string("reply", reply), json_number("error", error)});
  return error;
}

bool ScriptedMedia::play_sound(const std::string* path, unsigned flags) {
  sounds_.push_back({path != nullptr ? std::optional<std::string>(*path) : std::nullopt, flags});
  log_.add(clock_.now(), clock_.elapsed(), "sound",
           {path != nullptr ? json_string("path", *path) : json_null("path"),
            json_number("flags", flags)});
  return path == nullptr || files_.is_plain_file(*path);
}

}  // namespace showsaver
