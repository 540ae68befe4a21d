// The halving rows with SSE2: four destination pixels an instruction.  Builds
// without SSE2 paths (platform/instruction_sets.h) leave it out of the
// halving paths.
//
// The fast path of the exact 2 x 2 halving of StretchBlt, first in the table
// of halving paths (stretch_halving.h) for rows of at least
// kSse2HalvingStep pixels, with the scalar path as the fallback; the slow
// reference (blit_reference.h) is its test oracle.  A large halving, its
// source from main memory and its destination too big for the cache,
// prefetches the source rows and writes with streaming stores.
// bench/raster_bench.cpp measures it against memcpy and pixman.
#pragma once

#include "platform/instruction_sets.h"

#if defined(SHOWSAVER_SSE2_PATHS)

#include "platform/soft/stretch_halving.h"

namespace showsaver::soft {

// Destination pixels of one step of the SSE2 loop; narrower rows gain nothing.
inline constexpr int kSse2HalvingStep = 8;

void halve_rows_sse2(const HalvingRows& rows, int n, bool stream);

}  // namespace showsaver::soft

#endif
