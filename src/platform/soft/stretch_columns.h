// The column step of a shrink.  Vector loops where the processor has AVX2
// (chosen at run time, so the build stays for the baseline instruction set;
// they live in stretch_columns_avx2.*, which tells which shrink takes which),
// each beside the plain loop it must match pixel for pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace showsaver::soft {

// out[i] = line[first[i] - base] & line[last[i] - base]: a gathering AVX2
// loop, else one pixel at a time.
void and_column_pairs(const std::uint32_t* line, int base, const int* first, const int* last, int n,
                      std::uint32_t* out);

// The scalar loop alone: the reference and the path without AVX2.
void and_column_pairs_scalar(const std::uint32_t* line, int base, const int* first, const int* last,
                             int begin, int n, std::uint32_t* out);

// The same step for a shrink of one or two columns a pixel, whose eight
// destination pixels of a step take their columns from a run of at most 16
// source columns.  Prepared once a call: each step's run start and the places
// in it of every pixel's first and last column, so that a step is two loads
// and four in-register permutes instead of sixteen gathered loads.  Steps
// whose columns do not fit one run, and those the processor cannot do, take
// the plain loop.
class PairColumns {
 public:
  // first[i] and last[i] (n of each, kept by reference) are source columns;
  // a line holds the columns [line_begin, line_end).
  PairColumns(const int* first, const int* last, int n, int line_begin, int line_end);
  // Whether an AVX2 path is prepared; tests ask for it.
  bool vectorised() const { return !steps_.empty(); }
  // `stream` writes `out` past the cache where it can (a destination too
  // large to stay in it); finish_streaming() must follow before it is read.
  void apply(const std::uint32_t* line, int base, std::uint32_t* out, bool stream = false) const;

  struct Step {
    int run = -1;  // first source column of the run; -1: the plain loop
    // Place in the run of each pixel's first and last column; places 8-15
    // (the run's second half) carry the sign bit, which picks that half.
    std::int32_t first[8];
    std::int32_t last[8];
  };

 private:
  const int* first_;
  const int* last_;
  int n_;
  std::vector<Step> steps_;
};

// The window passes of a shrink of k or k + 1 columns a pixel, k >= 2:
// window[j] = AND of pixels [j, j + h) for j + h <= span, h the largest power
// of two up to k, built in log2(h) whole-line passes.  Returns h.
int and_windows(const std::uint32_t* pixels, int span, int min_count, std::uint32_t* window);
int and_windows_scalar(const std::uint32_t* pixels, int span, int min_count, std::uint32_t* window);

// The step of a shrink of at least eight columns a pixel: out[i] = AND of
// line[first[i] - base ... last[i] - base], each pixel's columns read at once
// with AVX2.  Returns false, doing nothing, where that path does not apply
// (fewer columns, or no AVX2).
bool and_column_runs(const std::uint32_t* line, int base, const int* first, const int* last, int n,
                     int min_count, std::uint32_t* out);
void and_column_runs_scalar(const std::uint32_t* line, int base, const int* first, const int* last,
                            int n, std::uint32_t* out);

// Orders the streaming stores before what follows.
void finish_streaming();

}  // namespace showsaver::soft
