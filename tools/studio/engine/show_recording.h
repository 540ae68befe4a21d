// Plays a show on the scripted platform, the player's own code with a
// virtual clock, and hands each refreshed frame of the picture area to the
// page with the show time it appears at: what `showpack render` writes, for
// the page to show at the player's pacing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/geometry.h"
#include "platform/pixel_image.h"

namespace showsaver::studio {

struct RecordedFrame {
  const PixelImage& image;
  std::int64_t show_time;  // milliseconds since the show started
  std::int32_t scene;      // the scene coming in, or showing
  bool in_transition;
};

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

}  // namespace showsaver::studio
