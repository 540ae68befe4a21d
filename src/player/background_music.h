// The background music and the scene sounds, silent while the display is off
// or the computer sleeps, and always in a preview: no command reaches the
// media then.
#pragma once

#include <string>

#include "platform/media.h"
#include "platform/power_events.h"
#include "player/show_context.h"

namespace showsaver {

class BackgroundMusic final : public PowerSink {
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

  // Closes the music and stops the sounds; until sound_again() no cue plays
  // and the music is neither polled nor opened.
  void fall_silent() override;
  // Plays the music again from its beginning when it was started and has not
  // been closed since, that is when the show still runs.
  void sound_again() override;

 private:
  bool music_on() const;
  void open_and_play();
  void send(const std::string& command);

  Media& media_;
  const ShowContext& show_;
  // Holds the reply of the latest command.
  std::string reply_;
  // start() came and close() has not.
  bool started_ = false;
  bool silent_ = false;
};

inline constexpr unsigned kReplyCapacity = 256;

}  // namespace showsaver
