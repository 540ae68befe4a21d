// The scene loop: from show start until a stop is requested, each scene is
// held, the next one composed off screen, its sound started and the
// transition run.
#pragma once

#include <cstdint>
#include <optional>

#include "effects/effect_random.h"
#include "platform/platform.h"
#include "player/background_music.h"
#include "player/scene_order.h"
#include "player/show_context.h"
#include "player/show_observer.h"
#include "player/show_surfaces.h"
#include "player/stop_detector.h"

namespace showsaver {

class ScenePlayer {
 public:
  ScenePlayer(Platform& platform, const ShowContext& show, ShowSurfaces& surfaces,
              StopDetector& stop, BackgroundMusic& music, ShowObserver* observer);

  // Loads scene `index`'s picture file into MemPicture; a missing file or a
  // scene index outside the stored scenes is a runtime failure.
  void load_scene_picture(std::int32_t index);
  // Hides the cursor, arms the stop detection and shows scene 0's frame.
  void show_start();
  // Plays scene after scene until a stop is requested.
  void scene_loop();

 private:
  void play_one_scene_cycle();
  const SceneRecord& scene(std::int32_t index) const;
  void compose_incoming_frame(const SceneRecord& incoming);
  // The cross-fade the extension gives the outgoing scene, else its EffectCode.
  void run_transition(const std::optional<FadeRecord>& fade, std::int32_t effect_code);

  Platform& platform_;
  const ShowContext& show_;
  ShowSurfaces& surfaces_;
  StopDetector& stop_;
  BackgroundMusic& music_;
  ShowObserver* observer_;
  EffectRandom random_;
  // For a shuffled show: drawn at each show start, seeded from the tick
  // counter (so a scripted run, whose ticks are fixed, repeats its order).
  std::optional<ShuffledRounds> shuffled_rounds_;
  // The index of the scene on screen.
  std::int32_t CurrentScene = 0;
};

}  // namespace showsaver
