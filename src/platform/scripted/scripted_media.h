// Media for tests and rendering: a music device that plays for a scripted
// length of virtual time, and a record of every command and sound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/media.h"
#include "platform/media_command.h"
#include "platform/scripted/event_log.h"
#include "platform/scripted/virtual_clock.h"

namespace showsaver {

struct RecordedSound {
  std::optional<std::string> path;
  unsigned flags = 0;
};

class ScriptedMedia final : public Media {
 public:
  ScriptedMedia(VirtualClock& clock, EventLog& log, FileSystem& files);

  // How long the music plays before its device reports "stopped".
  void set_music_length_ms(std::int64_t length) { music_length_ms_ = length; }
  // Makes the device report "paused" from now on.
  void pause_music() { paused_ = true; }

  const std::vector<std::string>& commands() const { return commands_; }
  // Forgets the recorded commands and sounds.
  void clear_records() {
    std::vector<std::string>().swap(commands_);
    std::vector<RecordedSound>().swap(sounds_);
  }
  const std::vector<RecordedSound>& sounds() const { return sounds_; }

  // Reads commands as platform/media_command.h does.
  unsigned send_media_command(const std::string& command, std::string& reply,
                              unsigned reply_capacity) override;
  bool play_sound(const std::string* path, unsigned flags) override;

 private:
  unsigned execute(const MediaCommand& command, std::string& reply);
  std::string mode() const;

  VirtualClock& clock_;
  EventLog& log_;
  FileSystem& files_;
  std::vector<std::string> commands_;
  std::vector<RecordedSound> sounds_;
  std::int64_t music_length_ms_ = 60'000;
  bool open_ = false;
  bool playing_ = false;
  bool paused_ = false;
  std::int64_t position_ms_ = 0;
  std::int64_t played_since_ms_ = 0;
};

}  // namespace showsaver
