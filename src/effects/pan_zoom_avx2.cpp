#include "effects/pan_zoom_avx2.h"

#if defined(SHOWSAVER_EFFECTS_AVX2)

#include <immintrin.h>

namespace showsaver {
namespace {

SHOWSAVER_TARGET_AVX2 inline __m128i load_half(const void* p) {
  return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

// Four pixels' channels, widened to 16 bits, blended; the sums wrap round
// within the lanes to the signed value of the plain pass.
SHOWSAVER_TARGET_AVX2 inline __m256i blend_vertically(const std::uint32_t* upper,
                                                      const std::uint32_t* lower, __m256i keep,
                                                      __m256i take) {
  const __m256i rounding_less_offset = _mm256_set1_epi16(128 - 32768);
  const __m256i a = _mm256_cvtepu8_epi16(load_half(upper));
  const __m256i b = _mm256_cvtepu8_epi16(load_half(lower));
  return _mm256_add_epi16(
      _mm256_add_epi16(_mm256_mullo_epi16(a, keep), _mm256_mullo_epi16(b, take)),
      rounding_less_offset);
}

// Output pixels x (low half) and x + 1 (high half), each channel in a 32-bit
// lane, less 128.
SHOWSAVER_TARGET_AVX2 inline __m256i blend_horizontally(const std::int16_t* blended,
                                                        const std::int32_t* offsets,
                                                        const ColumnWeights* weights) {
  // Each half holds its left pixel's four lanes, then the right one's; the
  // shuffle interleaves them so that each channel's pair meets its weights.
  const __m256i interleave = _mm256_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15,
                                              0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
  const __m256i pairs =
      _mm256_inserti128_si256(_mm256_castsi128_si256(load_half(blended + 4 * offsets[0])),
                              load_half(blended + 4 * offsets[1]), 1);
  const __m256i sums =
      _mm256_madd_epi16(_mm256_shuffle_epi8(pairs, interleave),
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(weights)));
  return _mm256_srai_epi32(sums, 16);
}

}  // namespace

SHOWSAVER_TARGET_AVX2 std::size_t blend_rows_avx2(const std::uint32_t* upper,
                                                  const std::uint32_t* lower, std::int16_t keep,
                                                  std::int16_t take, std::size_t count,
                                                  std::int16_t* blended) {
  const __m256i keep_lanes = _mm256_set1_epi16(keep);
  const __m256i take_lanes = _mm256_set1_epi16(take);
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(blended + 4 * i),
                        blend_vertically(upper + i, lower + i, keep_lanes, take_lanes));
  }
  return i;
}

SHOWSAVER_TARGET_AVX2 std::size_t blend_columns_avx2(const std::int16_t* blended,
                                                     const std::int32_t* offsets,
                                                     const ColumnWeights* weights,
                                                     std::size_t count, std::uint32_t* out) {
  // Adding 128 to a signed byte is flipping its top bit.
  const __m256i plus_128 = _mm256_set1_epi8(static_cast<char>(0x80));
  // The packs below work within halves, leaving pixels 0 2 4 6 | 1 3 5 7.
  const __m256i in_order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
  std::size_t x = 0;
  for (; x + 8 <= count; x += 8) {
    const __m256i first =
        _mm256_packs_epi32(blend_horizontally(blended, offsets + x, weights + x),
                           blend_horizontally(blended, offsets + x + 2, weights + x + 2));
    const __m256i second =
        _mm256_packs_epi32(blend_horizontally(blended, offsets + x + 4, weights + x + 4),
                           blend_horizontally(blended, offsets + x + 6, weights + x + 6));
    const __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_packs_epi16(first, second), in_order);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_xor_si256(bytes, plus_128));
  }
  return x;
}

}  // namespace showsaver

#endif
