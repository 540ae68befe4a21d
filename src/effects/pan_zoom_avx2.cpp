#include "effects/pan_zoom_avx2.h"

#if defined(SHOWSAVER_AVX2_PATHS)

#include <immintrin.h>

#include <cstring>

namespace showsaver {
namespace {

SHOWSAVER_TARGET_AVX2 inline __m128i load_half(const void* p) {
  return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

// Four source pixels of each row, widened to 16 bits, blended into sixteen
// lanes; the sums wrap round within the lanes to the signed value of the
// plain pass.
SHOWSAVER_TARGET_AVX2 inline void blend_four_vertically(const std::uint32_t* upper,
                                                        const std::uint32_t* lower, __m256i keep,
                                                        __m256i take, std::int16_t* blended) {
  const __m256i rounding_less_offset = _mm256_set1_epi16(128 - 32768);
  const __m256i a = _mm256_cvtepu8_epi16(load_half(upper));
  const __m256i b = _mm256_cvtepu8_epi16(load_half(lower));
  _mm256_storeu_si256(
      reinterpret_cast<__m256i*>(blended),
      _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(a, keep), _mm256_mullo_epi16(b, take)),
                       rounding_less_offset));
}

// Two output pixels, one a half, each channel in a 32-bit lane, less 128:
// the one whose left blended pixel starts at lane `low` and the one at
// `high`; `weights` holds each one's pair of weights in every 32-bit lane of
// its half.
SHOWSAVER_TARGET_AVX2 inline __m256i blend_horizontally(const std::int16_t* blended,
                                                        std::uint32_t low, std::uint32_t high,
                                                        __m256i weights) {
  // Each half holds its left pixel's four lanes, then the right one's; the
  // shuffle interleaves them so that each channel's pair meets its weights.
  const __m256i interleave = _mm256_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15,
                                              0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
  // A whole-register load and a broadcast, blended, cost less than an insert.
  const __m256i low_pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(blended + low));
  const __m256i high_pixels = _mm256_broadcastsi128_si256(load_half(blended + high));
  const __m256i pairs = _mm256_blend_epi32(low_pixels, high_pixels, 0xF0);
  return _mm256_srai_epi32(_mm256_madd_epi16(_mm256_shuffle_epi8(pairs, interleave), weights), 16);
}

// Two neighbouring offsets with one load.
inline void load_offsets(const std::uint32_t* offsets, std::uint32_t& first,
                         std::uint32_t& second) {
  std::uint64_t both = 0;
  std::memcpy(&both, offsets, sizeof both);
  first = static_cast<std::uint32_t>(both);
  second = static_cast<std::uint32_t>(both >> 32);
}

// Eight output pixels a step, 0 to 3 in the low halves and 4 to 7 in the
// high ones, so that the packs, which work within halves, leave them in
// order; the eight weights load at once and spread within the halves.
template <bool kStream>
SHOWSAVER_TARGET_AVX2 std::size_t blend_columns(const std::int16_t* blended,
                                                const std::uint32_t* offsets,
                                                const ColumnWeights* weights, std::size_t count,
                                                std::uint32_t* out) {
  // Adding 128 to a signed byte is flipping its top bit.
  const __m256i plus_128 = _mm256_set1_epi8(static_cast<char>(0x80));
  std::size_t x = 0;
  for (; x + 8 <= count; x += 8) {
    std::uint32_t at[8];
    for (int i = 0; i < 8; i += 2) load_offsets(offsets + x + i, at[i], at[i + 1]);
    const __m256i eight = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(weights + x));
    const __m256i first = _mm256_packs_epi32(
        blend_horizontally(blended, at[0], at[4], _mm256_shuffle_epi32(eight, 0x00)),
        blend_horizontally(blended, at[1], at[5], _mm256_shuffle_epi32(eight, 0x55)));
    const __m256i second = _mm256_packs_epi32(
        blend_horizontally(blended, at[2], at[6], _mm256_shuffle_epi32(eight, 0xAA)),
        blend_horizontally(blended, at[3], at[7], _mm256_shuffle_epi32(eight, 0xFF)));
    const __m256i pixels = _mm256_xor_si256(_mm256_packs_epi16(first, second), plus_128);
    auto* target = reinterpret_cast<__m256i*>(out + x);
    if constexpr (kStream) {
      _mm256_stream_si256(target, pixels);
    } else {
      _mm256_storeu_si256(target, pixels);
    }
  }
  return x;
}

}  // namespace

SHOWSAVER_TARGET_AVX2 void fence_streaming_avx2() {
  _mm_sfence();
}

SHOWSAVER_TARGET_AVX2 std::size_t blend_rows_avx2(const std::uint32_t* upper,
                                                  const std::uint32_t* lower, std::int16_t keep,
                                                  std::int16_t take, std::size_t count,
                                                  std::int16_t* blended) {
  const __m256i keep_lanes = _mm256_set1_epi16(keep);
  const __m256i take_lanes = _mm256_set1_epi16(take);
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    blend_four_vertically(upper + i, lower + i, keep_lanes, take_lanes, blended + 4 * i);
  }
  return i;
}

SHOWSAVER_TARGET_AVX2 std::size_t blend_columns_avx2(const std::int16_t* blended,
                                                     const std::uint32_t* offsets,
                                                     const ColumnWeights* weights,
                                                     std::size_t count, std::uint32_t* out,
                                                     bool stream) {
  return stream ? blend_columns<true>(blended, offsets, weights, count, out)
                : blend_columns<false>(blended, offsets, weights, count, out);
}

}  // namespace showsaver

#endif
