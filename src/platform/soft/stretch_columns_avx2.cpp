#include "platform/soft/stretch_columns_avx2.h"

#if defined(SHOWSAVER_AVX2_PATHS)

#include <immintrin.h>

namespace showsaver::soft {
namespace {

constexpr int kStep = kAvx2Step;

SHOWSAVER_TARGET_AVX2 inline __m256i load(const void* p) {
  return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

SHOWSAVER_TARGET_AVX2 inline void store(void* p, __m256i value) {
  _mm256_storeu_si256(static_cast<__m256i*>(p), value);
}

// How far ahead of the reads a source row is prefetched: from main memory the
// hardware prefetcher alone leaves the loads waiting.
constexpr std::uintptr_t kPrefetchBytes = 2048;

inline void prefetch_ahead(const std::uint32_t* pixels, std::uintptr_t ahead = kPrefetchBytes) {
  // Integer arithmetic, as the address may lie past the bitmap; a prefetch
  // never faults.  `ahead` wraps round for a row written backwards.
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(pixels) + ahead;
  __builtin_prefetch(reinterpret_cast<const void*>(address), 0, 3);
}

// The pixels at `places` in the run low (places 0-7) : high (8-15).
SHOWSAVER_TARGET_AVX2 inline __m256i pick(__m256i low, __m256i high, __m256i places) {
  const __m256 from_low = _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(low, places));
  const __m256 from_high = _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(high, places));
  return _mm256_castps_si256(_mm256_blendv_ps(from_low, from_high, _mm256_castsi256_ps(places)));
}

template <bool kStream>
SHOWSAVER_TARGET_AVX2 void pair_steps(const std::uint32_t* line, int base,
                                      const PairColumns::Step* steps, int count, const int* first,
                                      const int* last, std::uint32_t* out) {
  // A mirrored shrink takes its steps from the last: the source is read
  // forwards, which the hardware prefetcher follows better, and the
  // destination written backwards.
  const bool backwards = count > 1 && first[0] > first[count * kStep - 1];
  const std::uintptr_t write_ahead = std::uintptr_t{1024};
  const std::uintptr_t write_distance = backwards ? std::uintptr_t{0} - write_ahead : write_ahead;
  for (int k = 0; k < count; ++k) {
    const int s = backwards ? count - 1 - k : k;
    const PairColumns::Step& step = steps[s];
    std::uint32_t* target = out + s * kStep;
    if (step.run < 0) {
      and_column_pairs_scalar(line, base, first, last, s * kStep, (s + 1) * kStep, out);
      continue;
    }
    const std::uint32_t* run = line + (step.run - base);
    prefetch_ahead(run);
    if (!kStream) prefetch_ahead(target, write_distance);
    const __m256i low = load(run);
    const __m256i high = load(run + kStep);
    const __m256i value =
        _mm256_and_si256(pick(low, high, load(step.first)), pick(low, high, load(step.last)));
    if (kStream) {
      // Two halves, as rows are only sure to be 16-byte aligned.
      auto* halves = reinterpret_cast<__m128i*>(target);
      _mm_stream_si128(halves, _mm256_castsi256_si128(value));
      _mm_stream_si128(halves + 1, _mm256_extracti128_si256(value, 1));
    } else {
      store(target, value);
    }
  }
}

}  // namespace

// Eight pixels a step, each two gathered loads and an AND.
SHOWSAVER_TARGET_AVX2 int and_column_pairs_avx2(const std::uint32_t* line, int base,
                                                const int* first, const int* last, int n,
                                                std::uint32_t* out) {
  const __m256i shift = _mm256_set1_epi32(base);
  const auto* pixels = reinterpret_cast<const int*>(line);
  int i = 0;
  for (; i + kStep <= n; i += kStep) {
    const __m256i from = _mm256_sub_epi32(load(first + i), shift);
    const __m256i to = _mm256_sub_epi32(load(last + i), shift);
    store(out + i, _mm256_and_si256(_mm256_i32gather_epi32(pixels, from, 4),
                                    _mm256_i32gather_epi32(pixels, to, 4)));
  }
  return i;
}

SHOWSAVER_TARGET_AVX2 void pair_steps_avx2(const std::uint32_t* line, int base,
                                           const PairColumns::Step* steps, int count,
                                           const int* first, const int* last, std::uint32_t* out,
                                           bool stream) {
  if (stream) {
    pair_steps<true>(line, base, steps, count, first, last, out);
  } else {
    pair_steps<false>(line, base, steps, count, first, last, out);
  }
}

// Streaming stores are weakly ordered: fence them before the rows are used.
SHOWSAVER_TARGET_AVX2 void fence_avx2() {
  _mm_sfence();
}

// A shrink of at least eight columns a pixel: the AND of a pixel's columns
// straight from the line, eight at a time (the last eight overlapping those
// before, which ANDing does not mind), then across the lanes.
SHOWSAVER_TARGET_AVX2 void and_column_runs_avx2(const std::uint32_t* line, int base,
                                                const int* first, const int* last, int n,
                                                std::uint32_t* out) {
  // A mirrored shrink takes its pixels from the last, reading forwards.
  const bool backwards = n > 1 && first[0] > first[n - 1];
  for (int k = 0; k < n; ++k) {
    const int i = backwards ? n - 1 - k : k;
    const std::uint32_t* from = line + (first[i] - base);
    const std::uint32_t* end = line + (last[i] - base) + 1;
    prefetch_ahead(from);
    __m256i value = load(end - kStep);
    for (const std::uint32_t* p = from; p < end - kStep; p += kStep) {
      value = _mm256_and_si256(value, load(p));
    }
    __m128i half = _mm_and_si128(_mm256_castsi256_si128(value), _mm256_extracti128_si256(value, 1));
    half = _mm_and_si128(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(1, 0, 3, 2)));
    half = _mm_and_si128(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(2, 3, 0, 1)));
    out[i] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(half));
  }
}

SHOWSAVER_TARGET_AVX2 int and_windows_avx2(const std::uint32_t* pixels, int span, int min_count,
                                           std::uint32_t* window) {
  int j = 0;
  for (; j + kStep < span; j += kStep) {
    prefetch_ahead(pixels + j);
    store(window + j, _mm256_and_si256(load(pixels + j), load(pixels + j + 1)));
  }
  for (; j + 1 < span; ++j) window[j] = pixels[j] & pixels[j + 1];
  int h = 2;
  for (; 2 * h <= min_count; h *= 2) {
    // window[j] covers [j, j + h); each step reads only what is not yet written.
    j = 0;
    for (; j + h + kStep <= span; j += kStep) {
      store(window + j, _mm256_and_si256(load(window + j), load(window + j + h)));
    }
    for (; j + h < span; ++j) window[j] &= window[j + h];
  }
  return h;
}

}  // namespace showsaver::soft

#endif
