// The cross-fade's blend four pixels at a time with SSE2, in builds for it
// (see instruction_sets.h): the same formula as cross_fade.cpp's, in 16-bit
// lanes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/instruction_sets.h"

#if defined(SHOWSAVER_SSE2_PATHS)

namespace showsaver {

// Blends the leading whole groups of four pixels and returns how many pixels
// it did; `keep` + `take` is 256.  `stream` (with `out` aligned for it)
// writes past the cache.
std::size_t blend_pixels_sse2(std::uint32_t* out, const std::uint32_t* outgoing,
                              const std::uint32_t* incoming, std::size_t count, std::uint16_t keep,
                              std::uint16_t take, bool stream);

}  // namespace showsaver

#endif
