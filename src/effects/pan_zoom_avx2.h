// The pan-and-zoom filter's two passes (pan_zoom_filter.h) with AVX2, for
// processors that have it (see instruction_sets.h): the vertical one four
// source pixels a step, the horizontal one eight output pixels, two to a
// multiply-add.
#pragma once

#include <cstddef>
#include <cstdint>

#include "effects/pan_zoom_filter.h"
#include "platform/instruction_sets.h"

#if defined(SHOWSAVER_AVX2_PATHS)

namespace showsaver {

SHOWSAVER_TARGET_AVX2 std::size_t blend_rows_avx2(const std::uint32_t* upper,
                                                  const std::uint32_t* lower, std::int16_t keep,
                                                  std::int16_t take, std::size_t count,
                                                  std::int16_t* blended);

SHOWSAVER_TARGET_AVX2 std::size_t blend_columns_avx2(const std::int16_t* blended,
                                                     const std::uint32_t* offsets,
                                                     const ColumnWeights* weights,
                                                     std::size_t count, std::uint32_t* out,
                                                     bool stream);

// Orders the streamed stores before what follows.
SHOWSAVER_TARGET_AVX2 void fence_streaming_avx2();

}  // namespace showsaver

#endif
