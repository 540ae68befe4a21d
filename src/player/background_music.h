// The background music and the scene sounds.
#pragma once

#include <string>

#include "platform/media.h"
#include "player/show_context.h"

namespace showsaver {

class BackgroundMusic {
 public:
  BackgroundMusic(Media& media, const ShowContext& show);

  // Opens and plays the music (when the show has music and it is enabled).
  void start();
  // Restarts the music from its beginning when it has stopped.
  void poll();
  // Closes the music device (when the show has music, enabled or not).
  void close();
  // Starts `sound_file_name` asynchronously when it is set and sounds are enabled.
  void play_cue(const std::string& sound_file_name);
  // Stops every sound the program started.
  void stop_sounds();

 private:
  bool music_on() const;
  void send(const std::string& command);

  Media& media_;
  const ShowContext& show_;
  // Holds the reply of the latest command.
  std::string reply_;
};

inline constexpr unsigned kReplyCapacity = 256;

}  // namespace showsaver
