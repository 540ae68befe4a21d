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

class Media {
 public:
  virtual ~Media() = default;
  // mciSendString: sends `command`; the reply (at most `reply_capacity` - 1
  // characters) replaces `reply`.  Returns the MCI error code, 0 for success.
  virtual unsigned mciSendString(const std::string& command, std::string& reply,
                                 unsigned reply_capacity) = 0;
  // PlaySound with a file path, or with no sound (`path` null) to stop.
  virtual bool PlaySound(const std::string* path, unsigned flags) = 0;
};

}  // namespace showsaver
