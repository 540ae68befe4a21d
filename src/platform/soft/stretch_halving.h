// The exact 2 x 2 halving of a SRCCOPY StretchBlt: its rows, and the table of
// routines that halve them, fast paths first and the scalar path last.
#pragma once

#include <cstdint>
#include <span>

namespace showsaver::soft {

// Two destination rows of an exact 2 x 2 halving: destination pixel i of row
// r is the AND of top[r][2i], top[r][2i + 1], bottom[r][2i] and
// bottom[r][2i + 1].  Working on two rows at once keeps four source streams
// in flight, which a source too large for the cache needs to reach the memory
// bandwidth.
struct HalvingRows {
  const std::uint32_t* top[2];
  const std::uint32_t* bottom[2];
  std::uint32_t* out[2];
};

// One routine that halves `n` destination pixels of both rows, taken when
// `applies(n)`.  `stream` asks for stores past the cache, for a destination
// too large to stay in it; a routine may ignore it.
struct HalvingPath {
  const char* name;
  bool (*applies)(int n);
  void (*halve)(const HalvingRows& rows, int n, bool stream);
};

// Every path this build has, in order of preference; the last, the scalar
// path, applies to any width.
std::span<const HalvingPath> halving_paths();

// The first path that applies to rows of `n` destination pixels.
const HalvingPath& halving_path_for(int n);

// Destination pixels [begin, n) of both rows, one at a time: the scalar
// path, and the edges the fast paths leave.
void halve_rows_scalar_from(const HalvingRows& rows, int begin, int n);

}  // namespace showsaver::soft
