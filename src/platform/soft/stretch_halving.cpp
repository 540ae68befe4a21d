#include "platform/soft/stretch_halving.h"

#include "platform/soft/stretch_halving_sse2.h"

namespace showsaver::soft {
namespace {

constexpr HalvingPath kPaths[] = {
#if defined(SHOWSAVER_SSE2_PATHS)
    {"sse2", [](int n) { return n >= kSse2HalvingStep; }, halve_rows_sse2},
#endif
    {"scalar", [](int) { return true; },
     [](const HalvingRows& rows, int n, bool) { halve_rows_scalar_from(rows, 0, n); }},
};

}  // namespace

std::span<const HalvingPath> halving_paths() {
  return kPaths;
}

const HalvingPath& halving_path_for(int n) {
  for (const HalvingPath& path : kPaths) {
    if (path.applies(n)) return path;
  }
  return kPaths[std::size(kPaths) - 1];
}

void halve_rows_scalar_from(const HalvingRows& rows, int begin, int n) {
  for (int r = 0; r < 2; ++r) {
    const std::uint32_t* t = rows.top[r];
    const std::uint32_t* u = rows.bottom[r];
    std::uint32_t* out = rows.out[r];
    for (int i = begin; i < n; ++i) out[i] = t[2 * i] & t[2 * i + 1] & u[2 * i] & u[2 * i + 1];
  }
}

}  // namespace showsaver::soft
