#include "effects/cross_fade_sse2.h"

#if defined(SHOWSAVER_SSE2_PATHS)

#include <emmintrin.h>

#include "effects/streaming_stores.h"

namespace showsaver {
namespace {

// One half of the bytes widened to 16 bits, blended and shifted back down.
// The sum reaches 255 * 256 + 128 at most, within an unsigned 16-bit lane.
inline __m128i blend_half(__m128i a, __m128i b, __m128i keep, __m128i take) {
  const __m128i sum = _mm_add_epi16(
      _mm_add_epi16(_mm_mullo_epi16(a, keep), _mm_mullo_epi16(b, take)), _mm_set1_epi16(128));
  return _mm_srli_epi16(sum, 8);
}

template <bool kStream>
std::size_t blend_pixels(std::uint32_t* out, const std::uint32_t* outgoing,
                         const std::uint32_t* incoming, std::size_t count, std::uint16_t keep,
                         std::uint16_t take) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i keep_lanes = _mm_set1_epi16(static_cast<short>(keep));
  const __m128i take_lanes = _mm_set1_epi16(static_cast<short>(take));
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    if constexpr (kStream) prefetch_pictures_ahead(outgoing, incoming, i);
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(outgoing + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(incoming + i));
    const __m128i low =
        blend_half(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), keep_lanes, take_lanes);
    const __m128i high =
        blend_half(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), keep_lanes, take_lanes);
    auto* target = reinterpret_cast<__m128i*>(out + i);
    if constexpr (kStream) {
      _mm_stream_si128(target, _mm_packus_epi16(low, high));
    } else {
      _mm_storeu_si128(target, _mm_packus_epi16(low, high));
    }
  }
  // Streaming stores are weakly ordered: fence them before the pixels are read.
  if constexpr (kStream) _mm_sfence();
  return i;
}

}  // namespace

std::size_t blend_pixels_sse2(std::uint32_t* out, const std::uint32_t* outgoing,
                              const std::uint32_t* incoming, std::size_t count, std::uint16_t keep,
                              std::uint16_t take, bool stream) {
  return stream ? blend_pixels<true>(out, outgoing, incoming, count, keep, take)
                : blend_pixels<false>(out, outgoing, incoming, count, keep, take);
}

}  // namespace showsaver

#endif
