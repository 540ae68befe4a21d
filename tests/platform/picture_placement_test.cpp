// The picture area centred on a screen, the part of it a window shows, and
// the black bands around that part.
#include "platform/picture_placement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace showsaver {
namespace {

TEST(PicturePlacementTest, CentresByTruncatingEachHalf) {
  struct Case {
    const char* what;
    Size screen;
    Size picture;
    Rect area;
  };
  const Case cases[] = {
      {"even differences", {1024, 768}, {640, 480}, {192, 144, 640, 480}},
      // The extra pixel of an odd difference goes to the side of the odd extent.
      {"odd picture", {100, 100}, {51, 49}, {25, 26, 51, 49}},
      {"odd screen", {101, 99}, {50, 50}, {25, 24, 50, 50}},
      {"larger than the screen", {100, 80}, {121, 90}, {-10, -5, 121, 90}},
      {"no picture", {100, 80}, {0, 0}, {50, 40, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(centred_area(c.screen, c.picture), c.area) << c.what;
}

TEST(PicturePlacementTest, ShowsThePartInsideTheWindow) {
  struct Case {
    const char* what;
    Rect area;
    Size window;
    Rect shown;
    Point from;
  };
  const Case cases[] = {
      {"inside", {10, 20, 30, 40}, {100, 100}, {10, 20, 30, 40}, {0, 0}},
      {"the whole window", {0, 0, 100, 80}, {100, 80}, {0, 0, 100, 80}, {0, 0}},
      {"larger than the window", {-10, -5, 121, 90}, {100, 80}, {0, 0, 100, 80}, {10, 5}},
      {"over the right and bottom edges", {90, 70, 20, 20}, {100, 80}, {90, 70, 10, 10}, {0, 0}},
      {"over the left edge only", {-3, 10, 5, 5}, {100, 80}, {0, 10, 2, 5}, {3, 0}},
      {"beside the window", {100, 0, 10, 10}, {100, 80}, {}, {}},
      {"above the window", {0, -10, 10, 10}, {100, 80}, {}, {}},
      {"no width", {10, 10, 0, 5}, {100, 80}, {}, {}},
      {"no window", {0, 0, 10, 10}, {0, 0}, {}, {}},
      // Corners and extents at the ends of the range must not overflow.
      {"far left", {INT32_MIN, 0, INT32_MAX, 10}, {100, 80}, {}, {}},
      {"far right",
       {INT32_MAX - 5, 0, INT32_MAX, 10},
       {INT32_MAX, 80},
       {INT32_MAX - 5, 0, 5, 10},
       {0, 0}},
  };
  for (const Case& c : cases) {
    const PicturePlacement place = place_picture(c.area, c.window);
    EXPECT_EQ(place.shown, c.shown) << c.what;
    EXPECT_EQ(place.from, c.from) << c.what;
  }
}

// How many of `rects` cover each pixel of the window, row by row.
std::vector<int> coverage(Size window, const std::vector<Rect>& rects) {
  std::vector<int> counts(static_cast<std::size_t>(window.width * window.height), 0);
  for (const Rect& rect : rects) {
    if (empty(rect)) continue;
    for (int y = rect.top; y < rect.top + rect.height; ++y) {
      for (int x = rect.left; x < rect.left + rect.width; ++x) {
        if (x < 0 || y < 0 || x >= window.width || y >= window.height) {
          ADD_FAILURE() << "outside the window at " << x << "," << y;
          continue;
        }
        ++counts[static_cast<std::size_t>(y * window.width + x)];
      }
    }
  }
  return counts;
}

TEST(PicturePlacementTest, BandsAndPictureCoverTheWindowOnce) {
  const Size window{12, 9};
  const Rect cases[] = {
      {3, 2, 5, 4},   // inside
      {0, 0, 12, 9},  // the whole window: no band
      {0, 0, 5, 9},   // against three edges
      {7, 4, 5, 5},   // in the bottom right corner
      {0, 3, 12, 2},  // across: bands above and below only
      {},             // nothing shown: the window is all black
  };
  for (const Rect& shown : cases) {
    const auto bands = black_bands(shown, window);
    std::vector<Rect> all(bands.begin(), bands.end());
    all.push_back(shown);
    for (const int count : coverage(window, all)) {
      ASSERT_EQ(count, 1) << "shown at " << shown.left << "," << shown.top << " " << shown.width
                          << "x" << shown.height;
    }
  }
}

}  // namespace
}  // namespace showsaver
