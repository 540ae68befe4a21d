#include "startup/checked_media.h"

#include <optional>
#include <variant>

#include "formats/wav/wav_structure.h"
#include "platform/media_command.h"
#include "platform/sound_format.h"

namespace showsaver {

CheckedMedia::CheckedMedia(Media& media, FileSystem& files, Host& host)
    : media_(media), files_(files), host_(host) {}

unsigned CheckedMedia::send_media_command(const std::string& command, std::string& reply,
                                          unsigned reply_capacity) {
  const std::variant<MediaCommand, unsigned> parsed = parse_media_command(command);
  const MediaCommand* known = std::get_if<MediaCommand>(&parsed);
  if (known != nullptr && known->verb == MediaVerb::Open && !passes(known->path, "music")) {
    reply.clear();
    return media_error::kInvalidFile;
  }
  return media_.send_media_command(command, reply, reply_capacity);
}

bool CheckedMedia::play_sound(const std::string* path, unsigned flags) {
  if (path != nullptr && !passes(*path, "sound")) {
    media_.play_sound(nullptr, 0);
    return false;
  }
  return media_.play_sound(path, flags);
}

bool CheckedMedia::passes(const std::string& path, const char* what) {
  const auto known = verdicts_.find(path);
  if (known != verdicts_.end()) return known->second;
  return verdicts_[path] = judge(path, what);
}

bool CheckedMedia::judge(const std::string& path, const char* what) {
  const std::optional<Bytes> head = files_.read_file_prefix(path, kSoundFormatBytes);
  // What cannot be read is the device's to report.
  if (!head || sound_format_of(*head) != SoundFormat::Wav) return true;
  const std::optional<Bytes> file = files_.read_file(path);
  if (!file) return true;
  const std::optional<std::string> problem = wav_structure_problem(*file);
  if (!problem) return true;
  host_.log("The " + std::string(what) + " " + path + " is not played: " + *problem + ".");
  return false;
}

}  // namespace showsaver
