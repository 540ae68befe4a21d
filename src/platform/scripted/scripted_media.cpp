#include "platform/scripted/scripted_media.h"

#include <algorithm>

namespace showsaver {

ScriptedMedia::ScriptedMedia(VirtualClock& clock, EventLog& log, FileSystem& files)
    : clock_(clock), log_(log), files_(files) {}

std::string ScriptedMedia::mode() const {
  if (paused_) return "paused";
  if (!playing_) return "stopped";
  const std::int64_t position = position_ms_ + clock_.elapsed() - played_since_ms_;
  return position >= music_length_ms_ ? "stopped" : "playing";
}

unsigned ScriptedMedia::execute(const std::string& command, std::string& reply) {
  reply.clear();
  const std::string open_prefix = "open \"";
  const std::string open_suffix = "\" alias bgm";
  if (command.starts_with(open_prefix) && command.ends_with(open_suffix)) {
    const std::string path = command.substr(
        open_prefix.size(), command.size() - open_prefix.size() - open_suffix.size());
    if (open_ || !files_.is_plain_file(path)) return kMciErrorFileNotFound;
    open_ = true;
    position_ms_ = 0;
    return 0;
  }
  const bool known = command == "play bgm" || command == "status bgm mode" ||
                     command == "seek bgm to start" || command == "close bgm";
  if (!known) return kMciErrorUnrecognizedCommand;
  if (!open_) return kMciErrorInvalidDeviceName;
  if (command == "play bgm") {
    if (mode() == "stopped" && playing_) position_ms_ = music_length_ms_;
    playing_ = true;
    paused_ = false;
    played_since_ms_ = clock_.elapsed();
  } else if (command == "status bgm mode") {
    reply = mode();
  } else if (command == "seek bgm to start") {
    position_ms_ = 0;
    playing_ = false;
  } else {
    open_ = playing_ = paused_ = false;
  }
  return 0;
}

unsigned ScriptedMedia::mciSendString(const std::string& command, std::string& reply,
                                      unsigned reply_capacity) {
  commands_.push_back(command);
  const unsigned error = execute(command, reply);
  if (reply_capacity > 0 && reply.size() >= reply_capacity) reply.resize(reply_capacity - 1);
  log_.add(clock_.now(), clock_.elapsed(), "mci",
           {json_string("command", command), json_string("reply", reply),
            json_number("error", error)});
  return error;
}

bool ScriptedMedia::PlaySound(const std::string* path, unsigned flags) {
  sounds_.push_back({path != nullptr ? std::optional<std::string>(*path) : std::nullopt, flags});
  log_.add(clock_.now(), clock_.elapsed(), "sound",
           {path != nullptr ? json_string("path", *path) : json_null("path"),
            json_number("flags", flags)});
  return path == nullptr || files_.is_plain_file(*path);
}

}  // namespace showsaver
