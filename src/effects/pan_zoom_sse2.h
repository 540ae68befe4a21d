// The pan-and-zoom filter's two passes (pan_zoom_filter.h) with SSE2, in
// builds for it (see instruction_sets.h): the vertical one four source pixels
// a step, the horizontal one four output pixels, each a multiply-add of
// 16-bit lanes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "effects/pan_zoom_filter.h"
#include "platform/instruction_sets.h"

#if defined(SHOWSAVER_SSE2_PATHS)

namespace showsaver {

std::size_t blend_rows_sse2(const std::uint32_t* upper, const std::uint32_t* lower,
                            std::int16_t keep, std::int16_t take, std::size_t count,
                            std::int16_t* blended);

std::size_t blend_columns_sse2(const std::int16_t* blended, const std::uint32_t* offsets,
                               const ColumnWeights* weights, std::size_t count, std::uint32_t* out,
                               bool stream);

// Orders the streamed stores before what follows.
void fence_streaming_sse2();

}  // namespace showsaver

#endif
