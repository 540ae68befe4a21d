// A show of every effect, with sprites over the pictures, music and sounds,
// played by the real player on the scripted platform in virtual time for as
// many transitions as asked: the player's test of its drawing objects and the
// soak benchmark (bench/system/soak_bench.cpp) both run it.
#pragma once

#include <cstddef>
#include <functional>

#include "platform/scripted/scripted_platform.h"

namespace showsaver::test {

struct EveryEffectShowRun {
  int transitions = 0;     // finished before the key press that ends the show
  int effects_missed = 0;  // of the 30 effects, how many never played
  std::size_t message_boxes = 0;
  bool extraction_left_behind = false;  // files or folders left after the end
};

// Plays `transitions` transitions and ends the show with a key.  After every
// `interval`-th, `sample` gets the number finished and the platform.  The
// scripted platform's own records are dropped as the show goes, so that what
// grows is the player's alone.
EveryEffectShowRun play_every_effect_show(
    int transitions, int interval,
    const std::function<void(int finished, ScriptedPlatform& platform)>& sample);

}  // namespace showsaver::test
