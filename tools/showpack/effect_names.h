// The transition catalogue under the names `showpack new` and the manifest
// reader and writer still include it by; new code includes
// "effects/effect_catalogue.h" and "varied_effects.h" instead.
#pragma once

#include <span>

#include "effects/effect_catalogue.h"
#include "varied_effects.h"

namespace showsaver::showpack {

using EffectName = Effect;

inline std::span<const Effect> effect_names() {
  return effect_catalogue();
}

}  // namespace showsaver::showpack
