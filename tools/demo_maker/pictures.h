// The demo's pictures, each painted from fixed seeds at any size.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "canvas.h"

namespace showsaver::demo {

// A skyline: the height of a ridge for every quarter pixel across the
// picture, so that painters can ask for it at sample points cheaply.
class Profile {
 public:
  Profile(int width, const std::function<float(float)>& height_at);
  float at(float x) const;
  // Rise per pixel at x (negative where the ridge climbs to the right).
  float slope(float x) const { return (at(x + 1) - at(x - 1)) / 2; }

 private:
  std::vector<float> heights_;
};

// Landscapes.
Canvas paint_mountain_dawn(int width, int height);
Canvas paint_lake_sunset(int width, int height);
Canvas paint_desert_dunes(int width, int height);
Canvas paint_moonlit_sea(int width, int height);
// Skies.
Canvas paint_star_field(int width, int height);
Canvas paint_aurora(int width, int height);
Canvas paint_neon_horizon(int width, int height);
// Geometric art.
Canvas paint_penrose_tiling(int width, int height);
Canvas paint_mandala(int width, int height);
// variant 0 or 1: two sets, each with its own palette.
Canvas paint_julia_set(int width, int height, int variant);
// variant 0: flame colours; 1: cool colours.
Canvas paint_sunflower_spiral(int width, int height, int variant);
Canvas paint_stained_glass(int width, int height);
Canvas paint_tumbling_blocks(int width, int height);

// Hot-air balloons to lay over `under` at (left, top): every pixel they do
// not cover is exactly `transparent`, and their rims are blended with what
// lies under them, so that they sit in the picture without a fringe.
Canvas paint_balloons(const Canvas& under, int left, int top, int width, int height,
                      Rgb transparent);

}  // namespace showsaver::demo
