#include "platform/soft/stretch_halving_sse2.h"

#if defined(SHOWSAVER_SSE2_PATHS)

#include <emmintrin.h>

#include <cstdint>

namespace showsaver::soft {
namespace {

// How far ahead of the reads the source rows are prefetched: on a source from
// main memory the hardware prefetcher alone leaves the loads waiting.
constexpr std::uintptr_t kPrefetchBytes = 2048;

inline void prefetch_ahead(const std::uint32_t* pixels) {
  // Integer arithmetic, as the address may lie past the bitmap; a prefetch
  // never faults.
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(pixels) + kPrefetchBytes;
  _mm_prefetch(reinterpret_cast<const char*>(address), _MM_HINT_T0);
}

// Four destination pixels from eight pixels of each of two source rows.
inline __m128i halve4(const std::uint32_t* t, const std::uint32_t* u) {
  const auto load = [](const std::uint32_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  };
  const __m128 low = _mm_castsi128_ps(_mm_and_si128(load(t), load(u)));
  const __m128 high = _mm_castsi128_ps(_mm_and_si128(load(t + 4), load(u + 4)));
  const __m128 even = _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0));
  const __m128 odd = _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
  return _mm_and_si128(_mm_castps_si128(even), _mm_castps_si128(odd));
}

// Eight pixels of each row per step, one cache line of every source row,
// from pixel `i` on; gives back where it stopped.
template <bool kLarge>
int halve_steps(const HalvingRows& rows, int i, int n) {
  static_assert(kSse2HalvingStep == 8);
  for (; i + 8 <= n; i += 8) {
    for (int r = 0; r < 2; ++r) {
      const std::uint32_t* t = rows.top[r] + 2 * i;
      const std::uint32_t* u = rows.bottom[r] + 2 * i;
      if (kLarge) {
        prefetch_ahead(t);
        prefetch_ahead(u);
      }
      const __m128i first = halve4(t, u);
      const __m128i second = halve4(t + 8, u + 8);
      auto* out = reinterpret_cast<__m128i*>(rows.out[r] + i);
      if (kLarge) {
        _mm_stream_si128(out, first);
        _mm_stream_si128(out + 1, second);
      } else {
        _mm_storeu_si128(out, first);
        _mm_storeu_si128(out + 1, second);
      }
    }
  }
  return i;
}

}  // namespace

// A large halving, its source from main memory and its destination too big to
// stay in the cache, prefetches the source and writes with streaming stores,
// which bypass the cache.  Those need both rows aligned alike, which a short
// scalar start gives.
void halve_rows_sse2(const HalvingRows& rows, int n, bool stream) {
  const auto misalignment = [](const std::uint32_t* p) {
    return reinterpret_cast<std::uintptr_t>(p) % 16;
  };
  int i = 0;
  if (stream && misalignment(rows.out[0]) == misalignment(rows.out[1])) {
    while (i < n && misalignment(rows.out[0] + i) != 0) ++i;
    halve_rows_scalar_from(rows, 0, i);
    i = halve_steps<true>(rows, i, n);
    // Streaming stores are weakly ordered: fence them before the rows are used.
    _mm_sfence();
  } else {
    i = halve_steps<false>(rows, i, n);
  }
  halve_rows_scalar_from(rows, i, n);
}

}  // namespace showsaver::soft

#endif
