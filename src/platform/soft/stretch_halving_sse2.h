// The halving rows with SSE2: four destination pixels an instruction.  Builds
// without SSE2 (32-bit x86 by default) leave it out of the halving paths.
#pragma once

#if defined(__SSE2__)

#include "platform/soft/stretch_halving.h"

namespace showsaver::soft {

// Destination pixels of one step of the SSE2 loop; narrower rows gain nothing.
inline constexpr int kSse2HalvingStep = 8;

void halve_rows_sse2(const HalvingRows& rows, int n, bool stream);

}  // namespace showsaver::soft

#endif
