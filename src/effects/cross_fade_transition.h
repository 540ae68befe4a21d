// The cross-fade as a transition: frames paced on the tick counter like the
// catalogue's, each a blend (cross_fade.h) of the outgoing and incoming
// pictures, ended early by a stop.
#pragma once

#include <cstdint>

#include "common/drawing_surface.h"
#include "effects/run_effect.h"

namespace showsaver {

// Milliseconds between the fade's frames.
inline constexpr std::int32_t kFadeFramePeriodMs = 20;

// Fades from `outgoing` to `incoming` on `destination` over `duration_ms`,
// ending on the incoming picture.  The blend is drawn in memory and copied
// in, so every GDI shows the same pixels (no GDI blending of its own).
void run_cross_fade(DrawingSurface& destination, DrawingSurface& outgoing, DrawingSurface& incoming,
                    EffectEnvironment& environment, std::int32_t duration_ms);

}  // namespace showsaver
