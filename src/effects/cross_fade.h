// The cross-fade's arithmetic, defined once: every renderer (the software
// GDI, the Windows DIB sections, the tools) blends with these functions, so
// they all give the same pixels.
#pragma once

#include <cstdint>
#include <span>

#include "platform/gdi.h"
#include "platform/pixel_image.h"

namespace showsaver {

// Blends two pictures of the target's size into the target, each pixel as
// blend_row() does.  Rows that follow one another in memory (a frame
// bitmap's, as a rule) go in one call, so that a frame larger than the
// caches nearest the core is written past them (streaming_stores.h) with
// no row's end sharing a cache line between the two kinds of store.
void blend_frame(const PixelTarget& target, const PixelImage& outgoing,
                 const PixelImage& incoming, std::uint32_t weight);

// The weight of the incoming picture: 0 shows only the outgoing one, 256
// only the incoming one.
inline constexpr std::uint32_t kFullFadeWeight = 256;

// Each 8-bit channel c of `out[i]`, all four of the 32-bit word, is
//   (outgoing_c * (256 - weight) + incoming_c * weight + 128) >> 8,
// exact at both ends.  The three spans have the same length; `out` may be
// either input.
void blend_row(std::span<std::uint32_t> out, std::span<const std::uint32_t> outgoing,
               std::span<const std::uint32_t> incoming, std::uint32_t weight);

// The weight at `elapsed_ms` into a fade of `duration_ms` (above 0): 0 at
// the start, 256 once the time is over, rising in proportion between.
std::uint32_t fade_weight(std::int64_t elapsed_ms, std::int32_t duration_ms);

}  // namespace showsaver
