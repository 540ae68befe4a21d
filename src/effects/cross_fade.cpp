#include "effects/cross_fade.h"

#include <algorithm>

#include "effects/cross_fade_avx2.h"
#include "effects/cross_fade_paths.h"
#include "effects/cross_fade_sse2.h"
#include "effects/streaming_stores.h"

namespace showsaver {

std::vector<BlendPath> blend_paths() {
  std::vector<BlendPath> paths{{"plain", nullptr}};
#if defined(SHOWSAVER_SSE2_PATHS)
  paths.push_back({"sse2", blend_pixels_sse2});
#endif
#if defined(SHOWSAVER_AVX2_PATHS)
  if (avx2_available()) paths.push_back({"avx2", blend_pixels_avx2});
#endif
  return paths;
}

namespace {

// Pixels [from, to) byte by byte, every channel alike; each sum stays below
// 65536 (255 * 256 + 128).
void blend_plain(std::uint32_t* out, const std::uint32_t* outgoing, const std::uint32_t* incoming,
                 std::size_t from, std::size_t to, std::uint16_t keep, std::uint16_t take) {
  auto* target = reinterpret_cast<std::uint8_t*>(out);
  const auto* a = reinterpret_cast<const std::uint8_t*>(outgoing);
  const auto* b = reinterpret_cast<const std::uint8_t*>(incoming);
  for (std::size_t i = from * 4; i < to * 4; ++i) {
    target[i] =
        static_cast<std::uint8_t>(static_cast<std::uint16_t>(a[i] * keep + b[i] * take + 128) >> 8);
  }
}

}  // namespace

void blend_row_along(const BlendPath& path, std::span<std::uint32_t> out,
                     std::span<const std::uint32_t> outgoing,
                     std::span<const std::uint32_t> incoming, std::uint32_t weight) {
  weight = std::min(weight, kFullFadeWeight);
  const std::size_t count = std::min({out.size(), outgoing.size(), incoming.size()});
  const auto keep = static_cast<std::uint16_t>(kFullFadeWeight - weight);
  const auto take = static_cast<std::uint16_t>(weight);
  const bool stream = path.leading && count * sizeof(std::uint32_t) >= kStreamingStoreBytes;
  // Streaming starts where `out` is aligned for it; the plain loop does the
  // pixels before and whatever the vector loop leaves at the end.
  const std::size_t head = stream ? pixels_before_streaming_alignment(out.data(), count) : 0;
  blend_plain(out.data(), outgoing.data(), incoming.data(), 0, head, keep, take);
  const std::size_t done =
      head + (path.leading ? path.leading(out.data() + head, outgoing.data() + head,
                                          incoming.data() + head, count - head, keep, take, stream)
                           : 0);
  blend_plain(out.data(), outgoing.data(), incoming.data(), done, count, keep, take);
}

void blend_row(std::span<std::uint32_t> out, std::span<const std::uint32_t> outgoing,
               std::span<const std::uint32_t> incoming, std::uint32_t weight) {
  static const BlendPath fastest = blend_paths().back();
  blend_row_along(fastest, out, outgoing, incoming, weight);
}

void blend_frame(const PixelTarget& target, const PixelImage& outgoing, const PixelImage& incoming,
                 std::uint32_t weight) {
  const auto width = static_cast<std::size_t>(target.width);
  const auto height = static_cast<std::size_t>(target.height);
  const auto row = [](const PixelImage& image, std::size_t y, std::size_t count) {
    return std::span(image.pixels).subspan(y * static_cast<std::size_t>(image.width), count);
  };
  if (target.stride == width) {
    blend_row(std::span(target.pixels, width * height), row(outgoing, 0, width * height),
              row(incoming, 0, width * height), weight);
    return;
  }
  for (std::size_t y = 0; y < height; ++y) {
    blend_row(std::span(target.pixels + y * target.stride, width), row(outgoing, y, width),
              row(incoming, y, width), weight);
  }
}

std::uint32_t fade_weight(std::int64_t elapsed_ms, std::int32_t duration_ms) {
  if (duration_ms <= 0 || elapsed_ms >= duration_ms) return kFullFadeWeight;
  if (elapsed_ms <= 0) return 0;
  return static_cast<std::uint32_t>(elapsed_ms * kFullFadeWeight / duration_ms);
}

}  // namespace showsaver
