#include "effects/cross_fade_avx2.h"

#if defined(SHOWSAVER_AVX2_PATHS)

#include <immintrin.h>

#include "effects/streaming_stores.h"

namespace showsaver {
namespace {

// As blend_half of the SSE2 loop: the unpacking and packing work within each
// 128-bit half, so the pixels come back in the order they went in.
SHOWSAVER_TARGET_AVX2 inline __m256i blend_half(__m256i a, __m256i b, __m256i keep, __m256i take) {
  const __m256i sum =
      _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(a, keep), _mm256_mullo_epi16(b, take)),
                       _mm256_set1_epi16(128));
  return _mm256_srli_epi16(sum, 8);
}

template <bool kStream>
SHOWSAVER_TARGET_AVX2 std::size_t blend_pixels(std::uint32_t* out, const std::uint32_t* outgoing,
                                               const std::uint32_t* incoming, std::size_t count,
                                               std::uint16_t keep, std::uint16_t take) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i keep_lanes = _mm256_set1_epi16(static_cast<short>(keep));
  const __m256i take_lanes = _mm256_set1_epi16(static_cast<short>(take));
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    if constexpr (kStream) prefetch_pictures_ahead(outgoing, incoming, i);
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(outgoing + i));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(incoming + i));
    const __m256i low = blend_half(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero),
                                   keep_lanes, take_lanes);
    const __m256i high = blend_half(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero),
                                    keep_lanes, take_lanes);
    auto* target = reinterpret_cast<__m256i*>(out + i);
    if constexpr (kStream) {
      _mm256_stream_si256(target, _mm256_packus_epi16(low, high));
    } else {
      _mm256_storeu_si256(target, _mm256_packus_epi16(low, high));
    }
  }
  // Streaming stores are weakly ordered: fence them before the pixels are read.
  if constexpr (kStream) _mm_sfence();
  return i;
}

}  // namespace

SHOWSAVER_TARGET_AVX2 std::size_t blend_pixels_avx2(std::uint32_t* out,
                                                    const std::uint32_t* outgoing,
                                                    const std::uint32_t* incoming,
                                                    std::size_t count, std::uint16_t keep,
                                                    std::uint16_t take, bool stream) {
  return stream ? blend_pixels<true>(out, outgoing, incoming, count, keep, take)
                : blend_pixels<false>(out, outgoing, incoming, count, keep, take);
}

}  // namespace showsaver

#endif
