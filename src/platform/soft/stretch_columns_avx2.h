// The column steps of a shrink with AVX2, in the builds that have AVX2 paths
// (platform/instruction_sets.h).  These functions alone are compiled for
// AVX2, and stretch_columns.cpp calls them only where avx2_available(), else
// the plain loop each must match pixel for pixel
// (tests/soft/stretch_shrink_test.cpp, stretch_columns_test.cpp).
//
// Which path a shrink takes, by the number k of source columns that land on
// one destination pixel:
//  - one or two columns a pixel: eight destination pixels a step take their
//    columns from a run of at most 16 source columns; the places in the run
//    are prepared once a call (PairColumns), so that a step is two loads and
//    four in-register permutes instead of sixteen gathered loads;
//  - eight and more: each pixel's columns are read straight from the line,
//    eight at a time, and ANDed across the lanes;
//  - in between: whole-line window passes (the AND of h neighbours, h the
//    largest power of two up to k), then a gather of two windows a pixel.
// Source rows are prefetched ahead of the reads, as from main memory the
// hardware prefetcher alone leaves the loads waiting; a destination too large
// for the cache is written with streaming stores, fenced before it is read.
// bench/raster_bench.cpp measures them against memcpy and pixman.
#pragma once

#include "platform/instruction_sets.h"

#if defined(SHOWSAVER_AVX2_PATHS)

#include <cstdint>
#include <type_traits>

#include "platform/soft/stretch_columns.h"

namespace showsaver::soft {

// Destination pixels of one vector step, and source columns of one run.
inline constexpr int kAvx2Step = 8;
inline constexpr int kAvx2Run = 16;
static_assert(std::extent_v<decltype(PairColumns::Step::first)> == kAvx2Step);

// out[i] = line[first[i] - base] & line[last[i] - base] eight pixels a step,
// with gathered loads; returns where the plain loop must go on.
SHOWSAVER_TARGET_AVX2 int and_column_pairs_avx2(const std::uint32_t* line, int base,
                                                const int* first, const int* last, int n,
                                                std::uint32_t* out);

// The `count` prepared steps of PairColumns; a step without a run takes the
// plain loop.  `stream` (with `out` 16-byte aligned) writes past the cache.
SHOWSAVER_TARGET_AVX2 void pair_steps_avx2(const std::uint32_t* line, int base,
                                           const PairColumns::Step* steps, int count,
                                           const int* first, const int* last, std::uint32_t* out,
                                           bool stream);

// The AND of each pixel's columns, at least kAvx2Step of them.
SHOWSAVER_TARGET_AVX2 void and_column_runs_avx2(const std::uint32_t* line, int base,
                                                const int* first, const int* last, int n,
                                                std::uint32_t* out);

// The window passes of and_windows().
SHOWSAVER_TARGET_AVX2 int and_windows_avx2(const std::uint32_t* pixels, int span, int min_count,
                                           std::uint32_t* window);

// Orders the streaming stores before what follows.
SHOWSAVER_TARGET_AVX2 void fence_avx2();

}  // namespace showsaver::soft

#endif
