// The media seam on Windows: the media control interface's command strings
// and PlaySound, both of the system's winmm (see winmm.h).  Without an audio
// device they fail and the show runs on in silence.
#pragma once

#include <string>

#include "platform/media.h"

namespace showsaver {

class Win32Media final : public Media {
 public:
  // mciSendStringW with a reply buffer of `reply_capacity` wide characters.
  // The music's open names its device type from the file's first bytes:
  // the system would go by the extension, and play nothing for a file
  // without one or with a wrong one.
  unsigned send_media_command(const std::string& command, std::string& reply,
                              unsigned reply_capacity) override;
  // PlaySoundW(path or null, no module, flags).
  bool play_sound(const std::string* path, unsigned flags) override;
  // Stops every sound and closes every device this program opened, so that
  // none holds a file open.
  void close_everything();
};

}  // namespace showsaver
