// Running a transition: what every effect draws with, and the run of one
// effect code from the catalogue.
#pragma once

#include <cstdint>

#include "common/drawing_surface.h"
#include "effects/effect_random.h"
#include "platform/gdi.h"
#include "platform/message_loop.h"

namespace showsaver {

// What every effect draws with and waits on.
struct EffectEnvironment {
  Gdi& gdi;
  // The tick counter and the message processing of the frame wait.
  MessageLoop& loop;
  // The show's stop flag; only -1 means stop.
  const std::int16_t& StopRequested;
  // The program-wide generator of effect 3.
  EffectRandom& random;
};

// Runs the transition with `code` from `outgoing` to `incoming` on
// `destination`.  The cut (0) and unknown codes draw nothing.
void run_effect(std::int32_t code, DrawingSurface& destination, DrawingSurface& outgoing,
                DrawingSurface& incoming, EffectEnvironment& environment);

}  // namespace showsaver
