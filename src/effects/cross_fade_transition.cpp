#include "effects/cross_fade_transition.h"

#include <algorithm>
#include <optional>
#include <span>

#include "effects/cross_fade.h"
#include "effects/image_copy.h"
#include "effects/transition.h"

namespace showsaver {
namespace {

std::span<const std::uint32_t> row_of(const PixelImage& image, int y) {
  return std::span(image.pixels)
      .subspan(static_cast<std::size_t>(y) * image.width, static_cast<std::size_t>(image.width));
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
    PixelImage frame{from->width, from->height, std::vector<std::uint32_t>(from->pixels.size())};
    const std::int32_t frames =
        std::max<std::int32_t>(1, (duration_ms + kFadeFramePeriodMs - 1) / kFadeFramePeriodMs);
    transition.counted_loop(kFadeFramePeriodMs, frames, [&](std::int32_t k) {
      const std::uint32_t weight =
          fade_weight(static_cast<std::int64_t>(k + 1) * duration_ms / frames, duration_ms);
      for (int y = 0; y < frame.height; ++y) {
        const auto out = std::span(frame.pixels)
                             .subspan(static_cast<std::size_t>(y) * frame.width,
                                      static_cast<std::size_t>(frame.width));
        blend_row(out, row_of(*from, y), row_of(*to, y), weight);
      }
      put_image(environment.gdi, destination.dc(), frame);
    });
  }
  transition.final_frame();
}

}  // namespace showsaver
