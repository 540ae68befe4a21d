#include "effects/cross_fade.h"

#include <algorithm>

namespace showsaver {
namespace {

constexpr std::uint32_t kEvenChannels = 0x00FF00FFu;

// Two channels 16 bits apart at once: each lane's sum stays below 65536
// (255 * 256 + 128), so no lane carries into the next.
inline std::uint32_t blend_lanes(std::uint32_t outgoing, std::uint32_t incoming,
                                 std::uint32_t weight) {
  const std::uint32_t sum = outgoing * (kFullFadeWeight - weight) + incoming * weight + 0x00800080u;
  return (sum >> 8) & kEvenChannels;
}

}  // namespace

void blend_row(std::span<std::uint32_t> out, std::span<const std::uint32_t> outgoing,
               std::span<const std::uint32_t> incoming, std::uint32_t weight) {
  weight = std::min(weight, kFullFadeWeight);
  const std::size_t count = std::min({out.size(), outgoing.size(), incoming.size()});
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t a = outgoing[i];
    const std::uint32_t b = incoming[i];
    const std::uint32_t even = blend_lanes(a & kEvenChannels, b & kEvenChannels, weight);
    const std::uint32_t odd =
        blend_lanes((a >> 8) & kEvenChannels, (b >> 8) & kEvenChannels, weight);
    out[i] = even | (odd << 8);
  }
}

std::uint32_t fade_weight(std::int64_t elapsed_ms, std::int32_t duration_ms) {
  if (duration_ms <= 0 || elapsed_ms >= duration_ms) return kFullFadeWeight;
  if (elapsed_ms <= 0) return 0;
  return static_cast<std::uint32_t>(elapsed_ms * kFullFadeWeight / duration_ms);
}

}  // namespace showsaver
