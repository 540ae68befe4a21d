// The media command strings the "bgm" device understands, read once for every
// backend: words as the Win32 command parser splits them, the command forms
// the player sends, and the reply buffer's capacity.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/sound_format.h"

namespace showsaver {

enum class MediaVerb { Open, Play, Status, Seek, Close };

// One command for the music device, which goes by the alias "bgm":
// `open "<path>" alias bgm`, `play bgm`, `status bgm mode`,
// `seek bgm to start` or `close bgm`.
struct MediaCommand {
  MediaVerb verb;
  std::string path;  // the file an Open names; empty for the other verbs
  bool operator==(const MediaCommand&) const = default;
};

// Blanks and tabs separate words, and a word in double quotes keeps its
// blanks (a path with spaces).  Nothing when a quote is never closed.
std::optional<std::vector<std::string>> split_media_command_words(std::string_view command);

// The command `command` names, keywords in any case, or
// media_error::kUnrecognizedCommand for anything else.
std::variant<MediaCommand, unsigned> parse_media_command(std::string_view command);

// The media control device that plays `format`: "sequencer" for MIDI,
// "waveaudio" for WAV, else "mpegvideo" (the system's media player, which
// plays what its installed decoders read).
std::string_view media_device_type(SoundFormat format);

// The open form with the device type named, so that the system does not go
// by the file's extension: `open "<path>" type <device_type> alias bgm`.
std::string typed_open_command(const std::string& path, std::string_view device_type);

// Cuts `reply` to what a caller's buffer of `capacity` characters holds with
// its terminator: at most `capacity` - 1 characters, nothing for capacity 0.
void fit_reply_to_capacity(std::string& reply, unsigned capacity);

// Answers `command` as every device does: the reply starts empty, a command
// that is not recognized fails without reaching the device, and the reply
// `execute(const MediaCommand&, std::string& reply)` leaves is fitted to
// `reply_capacity`.  Returns the error code.
template <typename Execute>
unsigned answer_media_command(std::string_view command, std::string& reply, unsigned reply_capacity,
                              Execute&& execute) {
  reply.clear();
  const std::variant<MediaCommand, unsigned> parsed = parse_media_command(command);
  const MediaCommand* known = std::get_if<MediaCommand>(&parsed);
  const unsigned error = known != nullptr ? execute(*known, reply) : std::get<unsigned>(parsed);
  fit_reply_to_capacity(reply, reply_capacity);
  return error;
}

}  // namespace showsaver
