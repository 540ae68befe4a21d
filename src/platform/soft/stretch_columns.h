// The column step of a shrink that takes one or two source columns a pixel:
// out[i] = line[first[i] - base] & line[last[i] - base].  A gathering AVX2
// loop where the processor has it (chosen at run time, so the build stays
// for the baseline instruction set), else one pixel at a time.
#pragma once

#include <cstdint>

namespace showsaver::soft {

void and_column_pairs(const std::uint32_t* line, int base, const int* first, const int* last, int n,
                      std::uint32_t* out);

// The scalar loop alone: the reference and the path without AVX2.
void and_column_pairs_scalar(const std::uint32_t* line, int base, const int* first, const int* last,
                             int begin, int n, std::uint32_t* out);

}  // namespace showsaver::soft
