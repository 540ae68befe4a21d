// The ways the cross-fade's blend can go through a row: the plain loop alone,
// or an instruction set's loop over the leading pixels with the plain loop
// for the rest.  blend_row() takes the fastest; the tests check each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace showsaver {

// Blends the leading pixels it can and returns how many; `keep` + `take` is
// 256.  `stream` (with `out` aligned for it, see streaming_stores.h) writes
// past the cache.
using BlendLeadingPixels = std::size_t (*)(std::uint32_t* out, const std::uint32_t* outgoing,
                                           const std::uint32_t* incoming, std::size_t count,
                                           std::uint16_t keep, std::uint16_t take, bool stream);

struct BlendPath {
  const char* name;
  BlendLeadingPixels leading;  // null: the plain loop does every pixel
};

// The paths this build and this processor can take, the fastest last.
std::vector<BlendPath> blend_paths();

// blend_row() along `path`.
void blend_row_along(const BlendPath& path, std::span<std::uint32_t> out,
                     std::span<const std::uint32_t> outgoing,
                     std::span<const std::uint32_t> incoming, std::uint32_t weight);

}  // namespace showsaver
