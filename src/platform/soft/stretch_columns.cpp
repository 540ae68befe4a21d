#include "platform/soft/stretch_columns.h"

#include <algorithm>

#include "platform/soft/stretch_columns_avx2.h"

namespace showsaver::soft {

void and_column_pairs_scalar(const std::uint32_t* line, int base, const int* first, const int* last,
                             int begin, int n, std::uint32_t* out) {
  for (int i = begin; i < n; ++i) out[i] = line[first[i] - base] & line[last[i] - base];
}

void and_column_pairs(const std::uint32_t* line, int base, const int* first, const int* last, int n,
                      std::uint32_t* out) {
  int begin = 0;
#if defined(SHOWSAVER_AVX2_PATHS)
  if (avx2_available()) begin = and_column_pairs_avx2(line, base, first, last, n, out);
#endif
  and_column_pairs_scalar(line, base, first, last, begin, n, out);
}

PairColumns::PairColumns(const int* first, const int* last, int n, int line_begin, int line_end)
    : first_(first), last_(last), n_(n) {
#if defined(SHOWSAVER_AVX2_PATHS)
  if (!avx2_available()) return;
  steps_.resize(static_cast<std::size_t>(n / kAvx2Step));
  for (std::size_t s = 0; s < steps_.size(); ++s) {
    const int* f = first + s * kAvx2Step;
    const int* l = last + s * kAvx2Step;
    const int low =
        std::min(*std::min_element(f, f + kAvx2Step), *std::min_element(l, l + kAvx2Step));
    const int high =
        std::max(*std::max_element(f, f + kAvx2Step), *std::max_element(l, l + kAvx2Step));
    // The run's two loads must stay inside the line.
    if (high - low >= kAvx2Run || low < line_begin || low + kAvx2Run > line_end) continue;
    Step& step = steps_[s];
    step.run = low;
    const auto place = [low](int column) {
      const int at = column - low;
      return static_cast<std::int32_t>(at < kAvx2Step
                                           ? static_cast<std::uint32_t>(at)
                                           : static_cast<std::uint32_t>(at) | 0x80000000u);
    };
    for (int i = 0; i < kAvx2Step; ++i) {
      step.first[i] = place(f[i]);
      step.last[i] = place(l[i]);
    }
  }
#else
  static_cast<void>(line_begin);
  static_cast<void>(line_end);
#endif
}

void PairColumns::apply(const std::uint32_t* line, int base, std::uint32_t* out,
                        bool stream) const {
  int begin = 0;
#if defined(SHOWSAVER_AVX2_PATHS)
  if (!steps_.empty()) {
    const int count = static_cast<int>(steps_.size());
    pair_steps_avx2(line, base, steps_.data(), count, first_, last_, out,
                    stream && reinterpret_cast<std::uintptr_t>(out) % 16 == 0);
    begin = count * kAvx2Step;
  }
#else
  static_cast<void>(stream);
#endif
  and_column_pairs_scalar(line, base, first_, last_, begin, n_, out);
}

int and_windows_scalar(const std::uint32_t* pixels, int span, int min_count,
                       std::uint32_t* window) {
  for (int j = 0; j + 1 < span; ++j) window[j] = pixels[j] & pixels[j + 1];
  int h = 2;
  for (; 2 * h <= min_count; h *= 2) {
    // window[j] covers [j, j + h); it reads ahead of what it writes.
    for (int j = 0; j + h < span; ++j) window[j] &= window[j + h];
  }
  return h;
}

int and_windows(const std::uint32_t* pixels, int span, int min_count, std::uint32_t* window) {
#if defined(SHOWSAVER_AVX2_PATHS)
  if (avx2_available()) return and_windows_avx2(pixels, span, min_count, window);
#endif
  return and_windows_scalar(pixels, span, min_count, window);
}

void and_column_runs_scalar(const std::uint32_t* line, int base, const int* first, const int* last,
                            int n, std::uint32_t* out) {
  for (int i = 0; i < n; ++i) {
    std::uint32_t value = 0xFFFFFFFFu;
    for (int c = first[i]; c <= last[i]; ++c) value &= line[c - base];
    out[i] = value;
  }
}

bool and_column_runs(const std::uint32_t* line, int base, const int* first, const int* last, int n,
                     int min_count, std::uint32_t* out) {
#if defined(SHOWSAVER_AVX2_PATHS)
  if (min_count >= kAvx2Step && avx2_available()) {
    and_column_runs_avx2(line, base, first, last, n, out);
    return true;
  }
#else
  static_cast<void>(line);
  static_cast<void>(base);
  static_cast<void>(first);
  static_cast<void>(last);
  static_cast<void>(n);
  static_cast<void>(min_count);
  static_cast<void>(out);
#endif
  return false;
}

void finish_streaming() {
#if defined(SHOWSAVER_AVX2_PATHS)
  // Only the AVX2 paths stream.
  if (avx2_available()) fence_avx2();
#endif
}

}  // namespace showsaver::soft
