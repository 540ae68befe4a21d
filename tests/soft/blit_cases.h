// Blit cases as data: each one is a picture set-up and one GDI call with the
// result that GDI gives for it, so that the same table can be replayed against
// another GDI (Windows, Wine) as well as against ours.
//
// One-row cases: the source row holds letters A, B, C, ...; letter k has the
// colour with every low bit but bit k set, so the AND of several letters is
// the colour of the set of those letters.  A result is written as one token
// per destination pixel, "|"-separated: "." for an untouched pixel, otherwise
// the letters ANDed into it ("AB" = A AND B).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace showsaver::soft::cases {

struct LineCase {
  const char* name;
  int source_length;       // letters A.. in the source row
  int destination_length;  // pixels in the destination row
  int x, width, source_x, source_width;
  const char* expected;
};

// Each expectation follows from GDI's rules: the midpoint pixel choice,
// BLACKONWHITE AND-combining on a shrink, a negative extent covering
// [x + w + 1, x + 1), clipping that keeps the pixel choice, and source pixels
// outside the source bitmap drawing nothing.
inline const std::vector<LineCase>& line_cases() {
  static const std::vector<LineCase> cases = {
      {"Copy", 4, 4, 0, 4, 0, 4, "A|B|C|D"},
      {"Enlarge3To5", 3, 5, 0, 5, 0, 3, "A|A|B|C|C"},
      {"Enlarge2To4", 2, 4, 0, 4, 0, 2, "A|A|B|B"},
      {"Enlarge2To5", 2, 5, 0, 5, 0, 2, "A|A|A|B|B"},
      {"Enlarge1To3", 1, 3, 0, 3, 0, 1, "A|A|A"},
      {"Shrink4To2", 4, 2, 0, 2, 0, 4, "AB|CD"},
      {"Shrink3To2", 3, 2, 0, 2, 0, 3, "AB|C"},
      {"Shrink5To2", 5, 2, 0, 2, 0, 5, "ABC|DE"},
      {"Shrink5To3", 5, 3, 0, 3, 0, 5, "AB|C|DE"},
      {"Shrink7To3", 7, 3, 0, 3, 0, 7, "AB|CDE|FG"},
      {"ShrinkTo1DropsLast", 4, 1, 0, 1, 0, 4, "ABC"},
      {"Shrink2To1TakesFirst", 2, 1, 0, 1, 0, 2, "A"},
      {"MirrorEven", 4, 4, 3, -4, 0, 4, "D|C|B|A"},
      {"MirrorOdd", 3, 3, 2, -3, 0, 3, "C|B|A"},
      {"MirrorSource", 4, 4, 0, 4, 3, -4, "D|C|B|A"},
      {"BothNegativeIsNoMirror", 4, 4, 3, -4, 3, -4, "A|B|C|D"},
      {"NegativeExtentPlacement", 2, 6, 4, -2, 0, 2, ".|.|.|B|A|."},
      {"MirroredEnlarge", 3, 5, 4, -5, 0, 3, "C|C|B|A|A"},
      {"MirroredShrink", 4, 2, 1, -2, 0, 4, "CD|AB"},
      {"MirroredShrinkTo1", 3, 3, 1, -1, 0, 3, ".|AB|."},
      {"ClippedLeftKeepsChoice", 3, 3, -2, 5, 0, 3, "B|C|C"},
      {"ClippedRightKeepsChoice", 3, 3, 1, 5, 0, 3, ".|A|A"},
      {"ClippedMirrorKeepsChoice", 3, 3, 3, -5, 0, 3, "C|B|A"},
      {"SourceOutsideLeftEnlarge", 3, 6, 0, 6, -1, 3, ".|.|A|A|B|B"},
      {"SourceOutsideRightShrink", 4, 2, 0, 2, 2, 4, "CD|."},
      {"SourceHalfOutsideInShrink", 4, 2, 0, 2, -1, 4, "A|BC"},
      {"SourceWhollyOutside", 3, 3, 0, 3, 5, 2, ".|.|."},
      {"CopySourceOutsideLeft", 4, 4, 0, 4, -2, 4, ".|.|A|B"},
      {"CopySourceOutsideRight", 4, 4, 0, 4, 2, 4, "C|D|.|."},
      {"CopyNegativeWidth", 4, 5, 4, -3, 3, -3, ".|.|B|C|D"},
      {"ZeroWidth", 3, 3, 0, 0, 0, 3, ".|.|."},
      {"ZeroSourceWidth", 3, 3, 0, 3, 0, 0, ".|.|."},
  };
  return cases;
}

// Two-dimensional cases of BitBlt's clipping: the source rectangle partly or
// wholly outside its bitmap, the destination partly outside, negative extents.
struct ClipCase {
  const char* name;
  int x, y, width, height, source_x, source_y;
};

inline const std::vector<ClipCase>& clip_cases() {
  // Both bitmaps are 6 x 5.
  static const std::vector<ClipCase> cases = {
      {"Inside", 1, 1, 3, 2, 2, 2},
      {"SourceLeft", 0, 0, 4, 3, -2, 1},
      {"SourceRight", 0, 0, 4, 3, 4, 1},
      {"SourceTop", 0, 0, 3, 4, 1, -3},
      {"SourceBottom", 0, 0, 3, 4, 1, 3},
      {"SourceCorner", 1, 1, 4, 4, -2, -2},
      {"SourceLargerThanBitmap", 0, 0, 9, 8, -1, -1},
      {"SourceWhollyOutside", 0, 0, 3, 3, 7, 0},
      {"SourceWhollyAbove", 0, 0, 3, 3, 0, -3},
      {"DestinationLeft", -2, 1, 4, 2, 0, 0},
      {"DestinationBottomRight", 4, 3, 4, 4, 0, 0},
      {"DestinationWhollyOutside", 6, 0, 2, 2, 0, 0},
      {"BothOutsideOpposite", -2, 0, 5, 3, 3, 0},
      {"NegativeWidth", 4, 1, -3, 2, 5, 0},
      {"NegativeHeight", 1, 4, 2, -3, 0, 4},
      {"NegativeBothSourceOutside", 2, 2, -4, -4, 1, 1},
      {"ZeroWidth", 0, 0, 0, 3, 0, 0},
      {"ZeroHeight", 0, 0, 3, 0, 0, 0},
  };
  return cases;
}

}  // namespace showsaver::soft::cases
