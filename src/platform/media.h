// The media seam: media control command strings and one-shot sounds.
#pragma once

#include <string>

namespace showsaver {

namespace snd {
constexpr unsigned ASYNC = 0x1;
constexpr unsigned NODEFAULT = 0x2;
constexpr unsigned PURGE = 0x40;
constexpr unsigned FILENAME = 0x20000;
}  // namespace snd

// The media control error codes a device answers a command with; 0 is success.
namespace media_error {
inline constexpr unsigned kUnrecognizedCommand = 261;
inline constexpr unsigned kHardware = 262;
// Also what a system without the device answers to every command.
inline constexpr unsigned kInvalidDeviceName = 263;
inline constexpr unsigned kFileNotFound = 275;
inline constexpr unsigned kDuplicateAlias = 289;
// A file the device cannot read as what it claims to be.
inline constexpr unsigned kInvalidFile = 296;
}  // namespace media_error

class Media {
 public:
  virtual ~Media() = default;
  // mciSendString: sends `command`; the reply (at most `reply_capacity` - 1
  // characters) replaces `reply`.  Returns a `media_error` code, 0 for success.
  virtual unsigned send_media_command(const std::string& command, std::string& reply,
                                      unsigned reply_capacity) = 0;
  // PlaySound: plays a file path, or no sound (`path` null) to stop.
  virtual bool play_sound(const std::string* path, unsigned flags) = 0;
};

}  // namespace showsaver
