#include "effects/cross_fade_transition.h"

#include <algorithm>
#include <optional>

#include "effects/cross_fade.h"
#include "effects/frame_bitmap.h"
#include "effects/transition.h"

namespace showsaver {

void run_cross_fade(DrawingSurface& destination, DrawingSurface& outgoing, DrawingSurface& incoming,
                    EffectEnvironment& environment, std::int32_t duration_ms) {
  Transition transition(destination, outgoing, incoming, environment);
  // The pictures stay as they are during the fade: read once.
  const std::optional<PixelImage> from = environment.gdi.ReadImage(outgoing.dc());
  const std::optional<PixelImage> to = environment.gdi.ReadImage(incoming.dc());
  if (from && to && from->width == to->width && from->height == to->height && from->width > 0 &&
      from->height > 0) {
    transition.opening_copy();
    FrameBitmap frame(environment.gdi, {from->width, from->height});
    const std::int32_t frames =
        std::max<std::int32_t>(1, (duration_ms + kFadeFramePeriodMs - 1) / kFadeFramePeriodMs);
    transition.counted_loop(kFadeFramePeriodMs, frames, [&](std::int32_t k) {
      const std::uint32_t weight =
          fade_weight(static_cast<std::int64_t>(k + 1) * duration_ms / frames, duration_ms);
      blend_frame(frame.pixels(), *from, *to, weight);
      frame.show(destination.dc());
    });
  }
  transition.final_frame();
}

}  // namespace showsaver
