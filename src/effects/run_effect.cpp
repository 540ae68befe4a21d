#include "effects/run_effect.h"

#include "effects/effect_catalogue.h"
#include "effects/transition.h"

namespace showsaver {

void run_effect(std::int32_t code, DrawingSurface& destination, DrawingSurface& outgoing,
                DrawingSurface& incoming, EffectEnvironment& environment) {
  const Effect* effect = find_effect(code);
  if (effect == nullptr || effect->operation == nullptr) return;
  Transition transition(destination, outgoing, incoming, environment);
  transition.opening_copy();
  effect->operation(transition);
  transition.final_frame();
  if (effect->refresh_after_final_frame) transition.refresh_destination();
}

}  // namespace showsaver
