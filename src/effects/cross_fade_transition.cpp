#include "effects/cross_fade_transition.h"

#include <algorithm>
#include <optional>
#include <span>

#include "effects/cross_fade.h"
#include "effects/frame_bitmap.h"
#include "effects/transition.h"

namespace showsaver {
namespace {

std::span<const std::uint32_t> row_of(const PixelImage& image, int y) {
  return std::span(image.pixels)
      .subspan(static_cast<std::size_t>(y) * image.width, static_cast<std::size_t>(image.width));
}

// Blends the two pictures (of the target's size) straight into the target.
void blend_into(const PixelTarget& target, const PixelImage& from, const PixelImage& to,
                std::uint32_t weight) {
  for (int y = 0; y < target.height; ++y) {
    const std::span out(target.pixels + static_cast<std::size_t>(y) * target.stride,
                        static_cast<std::size_t>(target.width));
    blend_row(out, row_of(from, y), row_of(to, y), weight);
  }
}

}  // namespace

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
      blend_into(frame.pixels(), *from, *to, weight);
      frame.show(destination.dc());
    });
  }
  transition.final_frame();
}

}  // namespace showsaver
