// GDI cases as data: picture set-ups and calls whose results the software
// GDI's tests check, and which the replay (tools/gdi_replay) runs on any Gdi,
// so that the same tables are played on ours and on the real one.
//
// One-row cases: the source row holds letters A, B, C, ...; letter k has the
// colour with every low bit but bit k set, so the AND of several letters is
// the colour of the set of those letters.  A result is written as one token
// per destination pixel, "|"-separated: "." for an untouched pixel, otherwise
// the letters ANDed into it ("AB" = A AND B).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/color.h"
#include "platform/pixel_image.h"

namespace showsaver::gdi_cases {

// The colour of letter k (0 for A) of the one-row cases.
inline std::uint32_t letter_color(int k) {
  return 0x00FFFFFFu & ~(1u << k);
}

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

// Both bitmaps are kClipWidth x kClipHeight.
constexpr int kClipWidth = 6;
constexpr int kClipHeight = 5;

inline const std::vector<ClipCase>& clip_cases() {
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

// Shifts of a copy within one bitmap, where source and destination overlap.
struct Shift {
  int dx, dy;
};

inline const std::vector<Shift>& overlap_shifts() {
  static const std::vector<Shift> shifts = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, 2}, {-2, 1}};
  return shifts;
}

// StretchBlt geometries, in its argument order: exact halvings and doublings
// of an 80 x 60 picture with offsets, clipping and mirroring.
struct StretchGeometry {
  int x, y, width, height, source_x, source_y, source_width, source_height;
};

constexpr int kStretchPictureWidth = 80;
constexpr int kStretchPictureHeight = 60;

inline const std::vector<StretchGeometry>& halving_and_doubling_cases() {
  static const std::vector<StretchGeometry> cases = {
      {0, 0, 40, 30, 0, 0, 80, 60},     {3, 2, 20, 15, 5, 4, 40, 30},
      {-3, -2, 40, 30, -6, -4, 80, 60}, {39, 0, -40, 30, 0, 0, 80, 60},
      {0, 29, 40, -30, 0, 0, 80, 60},   {0, 0, 80, 60, 0, 0, 40, 30},
      {-5, 3, 80, 60, 2, -1, 40, 30},   {79, 0, -80, 60, 0, 0, 40, 30},
  };
  return cases;
}

// The raster operations the show uses and a few that read the pattern (the
// DC's default white brush) or combine all three operands.
inline const std::vector<std::uint32_t>& raster_operations() {
  static const std::vector<std::uint32_t> codes = {
      0x00CC0020, 0x008800C6, 0x00660046, 0x00220326, 0x00EE0086, 0x00330008,
      0x00550009, 0x00000042, 0x00FF0062, 0x00F00021, 0x005A0049, 0x00C000CA,
  };
  return codes;
}

// Filled boxes on a 4 x 3 colour bitmap.
struct FillCase {
  const char* name;
  int x1, y1, x2, y2;
  const char* expected;  // rows of the bitmap, '#' filled
};

constexpr int kFillWidth = 4;
constexpr int kFillHeight = 3;

inline const std::vector<FillCase>& fill_cases() {
  static const std::vector<FillCase> cases = {
      {"BothCornersIncluded", 1, 0, 2, 1, ".##.|.##.|...."},
      {"CornersInAnyOrder", 2, 1, 1, 0, ".##.|.##.|...."},
      {"SinglePixel", 3, 2, 3, 2, "....|....|...#"},
      {"ClippedCoversAll", -1, -1, 4, 3, "####|####|####"},
      {"WhollyOutside", 5, 0, 9, 2, "....|....|...."},
      {"ExtremeCoordinates", -2147483647 - 1, 1, 2147483647, 1, "....|####|...."},
  };
  return cases;
}

// A colour pixel copied into a monochrome bitmap.
struct ToMonoCase {
  const char* name;
  ColorRef background;  // of the source DC
  std::uint32_t pixel;  // source pixel, 0x00RRGGBB (top byte included)
  bool white;           // expected mono bit
};

// A bit is 1 (white) exactly where the whole 32-bit pixel equals the source
// DC's background colour as 0x00RRGGBB.
inline const std::vector<ToMonoCase>& to_mono_cases() {
  static const std::vector<ToMonoCase> cases = {
      {"EqualToWhiteBackground", rgb(255, 255, 255), 0x00FFFFFF, true},
      {"OtherColourIsBlack", rgb(255, 255, 255), 0x00FFFFFE, false},
      {"ColorRefOrderIsSwapped", rgb(0x12, 0x34, 0x56), 0x00123456, true},
      {"SwappedBytesDoNotMatch", rgb(0x12, 0x34, 0x56), 0x00563412, false},
      {"TopByteMakesItDiffer", rgb(0x12, 0x34, 0x56), 0x01123456, false},
      {"BlackBackground", rgb(0, 0, 0), 0x00000000, true},
      {"NearBlackIsNotBlack", rgb(0, 0, 0), 0x00000001, false},
  };
  return cases;
}

// Transparent sprite blits of a patterned sprite onto a patterned 10 x 8
// background, leaving out the key colour.
struct SpriteCase {
  const char* name;
  int sprite_width, sprite_height;
  int x, y, width, height, source_x, source_y;
  // Which sprite pixels are the key (every k-th), 0 for none, 1 for all.
  int key_every;
  bool black_pixels;
};

constexpr ColorRef kSpriteKey = rgb(0x10, 0x20, 0x30);
constexpr std::uint32_t kSpriteKeyPixel = 0x102030;

inline const std::vector<SpriteCase>& sprite_cases() {
  static const std::vector<SpriteCase> cases = {
      {"NoTransparentPixel", 4, 3, 2, 1, 4, 3, 0, 0, 0, false},
      {"AllTransparent", 4, 3, 2, 1, 4, 3, 0, 0, 1, false},
      {"MixedWithBlackOpaquePixels", 5, 4, 1, 2, 5, 4, 0, 0, 3, true},
      {"PastRightAndBottomEdge", 5, 4, 7, 5, 5, 4, 0, 0, 2, false},
      {"PastLeftAndTopEdge", 5, 4, -2, -3, 5, 4, 0, 0, 2, true},
      {"SourceOffset", 6, 5, 3, 3, 3, 2, 2, 1, 2, false},
      {"ZeroWidth", 4, 3, 2, 1, 0, 3, 0, 0, 2, false},
      {"ZeroHeight", 4, 3, 2, 1, 4, 0, 0, 0, 2, false},
  };
  return cases;
}

// A picture whose pixels all differ, starting from `base`.
inline PixelImage pattern(int width, int height, std::uint32_t base) {
  PixelImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    image.pixels.push_back((base + 0x010305u * static_cast<std::uint32_t>(i)) & 0xFFFFFF);
  }
  return image;
}

inline PixelImage sprite_background() {
  return pattern(10, 8, 0x808080);
}

// The sprite of a case: the pattern with its key pixels and black pixels.
inline PixelImage sprite_picture(const SpriteCase& c) {
  PixelImage sprite = pattern(c.sprite_width, c.sprite_height, 0x405060);
  for (std::size_t i = 0; i < sprite.pixels.size(); ++i) {
    if (c.key_every != 0 && i % c.key_every == 0) {
      sprite.pixels[i] = kSpriteKeyPixel;
    } else if (c.black_pixels && i % 2 == 1) {
      sprite.pixels[i] = 0;
    }
  }
  return sprite;
}

}  // namespace showsaver::gdi_cases
