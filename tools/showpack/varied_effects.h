// The transitions `showpack new` gives a folder's scenes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace showsaver::showpack {

// The transitions of `count` scenes: every effect 1..29 once in each run of
// 29 scenes, in an order drawn from a fixed seed, never the same twice in a
// row (the show loops, so the last and the first count as a row too).
std::vector<std::int32_t> varied_effects(std::size_t count);

}  // namespace showsaver::showpack
