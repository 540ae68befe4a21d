// Watches a show's progress: the headless renderer counts transitions with
// it, logs them and picks the frames of its contact sheet.
#pragma once

#include <cstdint>
#include <optional>

namespace showsaver {

// The transition out of one scene into the next, as the player starts it.
struct TransitionStart {
  std::int32_t outgoing_scene = 0;
  std::int32_t incoming_scene = 0;
  // The outgoing scene's stored EffectCode.  Under a cross-fade it is not
  // drawn: it is the fallback that players without the package extension
  // show in its place.
  std::int32_t effect_code = 0;
  // The cross-fade the extension gives the outgoing scene, drawn instead of
  // effect_code: its length in milliseconds.  Empty when effect_code is drawn.
  std::optional<std::int32_t> fade_ms;
};

class ShowObserver {
 public:
  virtual ~ShowObserver() = default;

  // The show plays in a shuffled order, drawn from `seed` (the tick counter
  // at the show's start), before its first hold.
  virtual void order_shuffled(std::uint32_t /*seed*/) {}

  // Scene `scene`'s hold begins; `moving` when it pans and zooms, so that
  // the frames until the next transition are the motion's.
  virtual void hold_starting(std::int32_t /*scene*/, bool /*moving*/) {}

  // A transition begins: its scenes, the stored EffectCode and, under a
  // cross-fade, the fade drawn in its place.
  virtual void transition_begins(const TransitionStart& /*start*/) {}
  virtual void transition_finished() = 0;
};

}  // namespace showsaver
