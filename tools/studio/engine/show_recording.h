// Plays a show on the scripted platform, the player's own code with a
// virtual clock, and hands each refreshed frame of the picture area to the
// page with the show time it appears at: what `showpack render` writes, for
// the page to show at the player's pacing.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "headless/headless_player.h"
#include "platform/geometry.h"
#include "platform/posix/posix_file_system.h"

namespace showsaver::studio {

using RecordedFrame = HeadlessFrame;

struct RecordingRequest {
  std::string program_path;  // a program file or bare package in the engine's file system
  Size screen;
  int transitions = 1;  // the show ends after this many
  // The tick counter's first value, as the player's start reads it: a
  // shuffled show draws its order from it.
  std::int32_t start_tick = 0;
};

// Returns false to end the show early.
using FrameSink = std::function<bool(const RecordedFrame&)>;
// Told when the picture stays as the last frame left it for a while: a
// transition ended, or the show did.
using StillSink = std::function<void()>;

// Plays until the transitions are done or the sink ends it; returns the
// message of a message box the show ended with, empty when it played.
std::string record_show(const RecordingRequest& request, const FrameSink& sink,
                        const StillSink& still = {});

// The show of a request, read and ready to play on its player.
class StudioShow {
 public:
  explicit StudioShow(const RecordingRequest& request);

  // Why the show cannot be played (its package is malformed); empty when it can.
  const std::string& error() const { return error_; }
  // Only when there is no error.
  HeadlessPlayer& player() { return *player_; }
  // Show mode on the package read, for play() or start().
  ShowEntry entry() { return show_mode(state_); }
  // The message of a message box the show ended with, empty when it played.
  std::string message();

 private:
  PosixFileSystem files_;
  RunState state_;
  std::string error_;
  std::optional<HeadlessPlayer> player_;
};

}  // namespace showsaver::studio
