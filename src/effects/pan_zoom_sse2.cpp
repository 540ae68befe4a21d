#include "effects/pan_zoom_sse2.h"

#if defined(SHOWSAVER_SSE2_PATHS)

#include <emmintrin.h>

namespace showsaver {
namespace {

// Two pixels' channels, widened to 16 bits, blended; the sums wrap round
// within the lanes to the signed value of the plain pass.
inline __m128i blend_vertically(__m128i upper, __m128i lower, __m128i keep, __m128i take) {
  const __m128i rounding_less_offset = _mm_set1_epi16(128 - 32768);
  return _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(upper, keep), _mm_mullo_epi16(lower, take)),
                       rounding_less_offset);
}

// Four source pixels of each row into sixteen blended lanes.
inline void blend_four_vertically(const std::uint32_t* upper, const std::uint32_t* lower,
                                  __m128i keep, __m128i take, std::int16_t* blended) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower));
  auto* target = reinterpret_cast<__m128i*>(blended);
  _mm_storeu_si128(
      target, blend_vertically(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), keep, take));
  _mm_storeu_si128(target + 1, blend_vertically(_mm_unpackhi_epi8(a, zero),
                                                _mm_unpackhi_epi8(b, zero), keep, take));
}

// One output pixel's channels in the four 32-bit lanes, less 128; `weights`
// holds its pair of weights in every 32-bit lane.
inline __m128i blend_horizontally(const std::int16_t* blended, std::uint32_t offset,
                                  __m128i weights) {
  // The left pixel's four lanes, then the right one's; interleaved, each
  // channel's pair meets its pair of weights.
  const __m128i pair = _mm_loadu_si128(reinterpret_cast<const __m128i*>(blended + offset));
  const __m128i lanes = _mm_unpacklo_epi16(pair, _mm_srli_si128(pair, 8));
  return _mm_srai_epi32(_mm_madd_epi16(lanes, weights), 16);
}

template <bool kStream>
std::size_t blend_columns(const std::int16_t* blended, const std::uint32_t* offsets,
                          const ColumnWeights* weights, std::size_t count, std::uint32_t* out) {
  // Adding 128 to a signed byte is flipping its top bit.
  const __m128i plus_128 = _mm_set1_epi8(static_cast<char>(0x80));
  std::size_t x = 0;
  for (; x + 4 <= count; x += 4) {
    const __m128i four_weights = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights + x));
    const __m128i first = _mm_packs_epi32(
        blend_horizontally(blended, offsets[x], _mm_shuffle_epi32(four_weights, 0x00)),
        blend_horizontally(blended, offsets[x + 1], _mm_shuffle_epi32(four_weights, 0x55)));
    const __m128i second = _mm_packs_epi32(
        blend_horizontally(blended, offsets[x + 2], _mm_shuffle_epi32(four_weights, 0xAA)),
        blend_horizontally(blended, offsets[x + 3], _mm_shuffle_epi32(four_weights, 0xFF)));
    const __m128i pixels = _mm_xor_si128(_mm_packs_epi16(first, second), plus_128);
    auto* target = reinterpret_cast<__m128i*>(out + x);
    if constexpr (kStream) {
      _mm_stream_si128(target, pixels);
    } else {
      _mm_storeu_si128(target, pixels);
    }
  }
  return x;
}

}  // namespace

void fence_streaming_sse2() {
  _mm_sfence();
}

std::size_t blend_rows_sse2(const std::uint32_t* upper, const std::uint32_t* lower,
                            std::int16_t keep, std::int16_t take, std::size_t count,
                            std::int16_t* blended) {
  const __m128i keep_lanes = _mm_set1_epi16(keep);
  const __m128i take_lanes = _mm_set1_epi16(take);
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    blend_four_vertically(upper + i, lower + i, keep_lanes, take_lanes, blended + 4 * i);
  }
  return i;
}

std::size_t blend_columns_sse2(const std::int16_t* blended, const std::uint32_t* offsets,
                               const ColumnWeights* weights, std::size_t count, std::uint32_t* out,
                               bool stream) {
  return stream ? blend_columns<true>(blended, offsets, weights, count, out)
                : blend_columns<false>(blended, offsets, weights, count, out);
}

}  // namespace showsaver

#endif
