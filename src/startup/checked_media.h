// The media seam with every WAV file checked before the backend gets it: a
// sound or music whose RIFF structure does not hold together is never
// played, and the show goes on without it.  For the Windows player, whose
// PlaySound and "waveaudio" device trust the sizes a file claims (Wine's end
// the process on a lying one); other files pass as they are.
#pragma once

#include <map>
#include <string>

#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/media.h"

namespace showsaver {

class CheckedMedia final : public Media {
 public:
  // `media` plays what passes; `host` logs what does not.
  CheckedMedia(Media& media, FileSystem& files, Host& host);

  // An open of WAV music that is not sound answers media_error::kInvalidFile
  // without reaching the device; every other command goes through.
  unsigned send_media_command(const std::string& command, std::string& reply,
                              unsigned reply_capacity) override;
  // A WAV sound that is not sound only stops the one playing, as a sound
  // the system cannot play does.
  bool play_sound(const std::string* path, unsigned flags) override;

 private:
  // False (and a line in the log) for a WAV file whose structure is unsound.
  // The extracted files do not change while the show runs: each is read and
  // judged once, not again at every cue and every restart of the music.
  bool passes(const std::string& path, const char* what);
  bool judge(const std::string& path, const char* what);

  Media& media_;
  FileSystem& files_;
  Host& host_;
  std::map<std::string, bool> verdicts_;
};

}  // namespace showsaver
