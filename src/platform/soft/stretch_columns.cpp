#include "platform/soft/stretch_columns.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define SHOWSAVER_GATHER_AVX2 1
#include <immintrin.h>
#endif

namespace showsaver::soft {
namespace {

#if defined(SHOWSAVER_GATHER_AVX2)
// Eight pixels a step, each two gathered loads and an AND.
__attribute__((target("avx2"))) int and_column_pairs_avx2(const std::uint32_t* line, int base,
                                                          const int* first, const int* last, int n,
                                                          std::uint32_t* out) {
  const __m256i shift = _mm256_set1_epi32(base);
  const auto* pixels = reinterpret_cast<const int*>(line);
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i from =
        _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(first + i)), shift);
    const __m256i to =
        _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(last + i)), shift);
    const __m256i value = _mm256_and_si256(_mm256_i32gather_epi32(pixels, from, 4),
                                           _mm256_i32gather_epi32(pixels, to, 4));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), value);
  }
  return i;
}

bool has_avx2() {
  static const bool supported = __builtin_cpu_supports("avx2");
  return supported;
}
#endif

}  // namespace

void and_column_pairs_scalar(const std::uint32_t* line, int base, const int* first, const int* last,
                             int begin, int n, std::uint32_t* out) {
  for (int i = begin; i < n; ++i) out[i] = line[first[i] - base] & line[last[i] - base];
}

void and_column_pairs(const std::uint32_t* line, int base, const int* first, const int* last, int n,
                      std::uint32_t* out) {
  int begin = 0;
#if defined(SHOWSAVER_GATHER_AVX2)
  if (has_avx2()) begin = and_column_pairs_avx2(line, base, first, last, n, out);
#endif
  and_column_pairs_scalar(line, base, first, last, begin, n, out);
}

}  // namespace showsaver::soft
