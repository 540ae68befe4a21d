// The cross-fade's blend eight pixels at a time with AVX2, for processors
// that have it (see instruction_sets.h): the same 16-bit lanes as the SSE2 loop,
// twice as wide.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/instruction_sets.h"

#if defined(SHOWSAVER_AVX2_PATHS)

namespace showsaver {

// Blends the leading whole groups of eight pixels and returns how many pixels
// it did; `keep` + `take` is 256.  `stream` (with `out` aligned for it)
// writes past the cache.
SHOWSAVER_TARGET_AVX2 std::size_t blend_pixels_avx2(std::uint32_t* out,
                                                    const std::uint32_t* outgoing,
                                                    const std::uint32_t* incoming,
                                                    std::size_t count, std::uint16_t keep,
                                                    std::uint16_t take, bool stream);

}  // namespace showsaver

#endif
