// `showpack render --contact-sheet`: one row per transition and per hold
// that pans and zooms, each labelled and holding small copies of its frames.
#include <gtest/gtest.h>

#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/png_files.h"
#include "support/run_program.h"
#include "support/show_harness.h"
#include "support/temp_dir.h"

namespace showsaver {
namespace {

constexpr int kThumb = 192, kLabel = 220, kGap = 4;

// The mean of one channel over a rectangle of the sheet.
double mean(const PixelImage& image, int left, int top, int width, int height, int shift) {
  double sum = 0;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      sum += image.pixels[std::size_t(y) * image.width + x] >> shift & 0xFF;
    }
  }
  return sum / (width * height);
}

TEST(ShowpackContactSheet, RowPerTransitionFromItsFirstToItsLastFrame) {
  test::TempDir dir;
  // Red, then blue, then red again: a wipe and a push, all of the area.
  const ShowPackage show =
      test::PackageBuilder(96, 48)
          .scene("r.bmp", test::make_bmp_24(test::make_solid_picture(96, 48, 0xFF0000)))
          .display_time(100)
          .effect(19)
          .scene("b.bmp", test::make_bmp_24(test::make_solid_picture(96, 48, 0x0000FF)))
          .display_time(100)
          .effect(26)
          .build();
  test::write_file(dir.file("show.scr"), test::program_file_with(show));
  const test::RunResult render =
      test::run_showpack(dir, {"render", dir.file("show.scr"), "--out", dir.file("frames"),
                               "--contact-sheet", dir.file("sheet.png"), "--screen", "96x48"});
  ASSERT_EQ(render.status, 0) << render.err;
  const auto sheet = test::read_png(dir.file("sheet.png"));
  ASSERT_TRUE(sheet);
  const int row = kThumb / 2;  // 96x48 frames become 192x96
  EXPECT_EQ(sheet->width, kLabel + 5 * (kThumb + kGap) + kGap);
  ASSERT_EQ(sheet->height, 2 * (row + kGap) + kGap);

  const struct {
    int row;
    std::uint32_t from_shift, to_shift;  // the channel of the outgoing and incoming colour
  } rows[] = {{0, 16, 0}, {1, 0, 16}};
  for (const auto& r : rows) {
    SCOPED_TRACE("row " + std::to_string(r.row));
    const int top = kGap + r.row * (row + kGap);
    // The label: some dark text on white.
    int dark = 0;
    for (int y = top; y < top + row; ++y) {
      for (int x = 0; x < kLabel; ++x)
        dark += (sheet->pixels[std::size_t(y) * sheet->width + x] & 0xFF) < 96;
    }
    EXPECT_GT(dark, 40);
    EXPECT_GT(mean(*sheet, 0, top, kLabel, row, 8), 200.0);
    // First frame mostly the outgoing colour, last frame wholly the incoming one,
    // and the incoming colour grows along the row.
    double last_share = -1;
    for (int f = 0; f < 5; ++f) {
      const int left = kLabel + f * (kThumb + kGap);
      const double incoming = mean(*sheet, left, top, kThumb, row, int(r.to_shift));
      EXPECT_GE(incoming, last_share) << "frame " << f;
      last_share = incoming;
    }
    EXPECT_GT(mean(*sheet, kLabel, top, kThumb, row, int(r.from_shift)), 200.0);
    EXPECT_GT(last_share, 250.0);
  }
}

// Scene 0, red on the left and blue on the right, zooms into its red half
// during its hold, then fades into blue; blue wipes back.
TEST(ShowpackContactSheet, AMovingHoldAndAFadeHaveRowsOfTheirOwn) {
  test::TempDir dir;
  ShowPackage show =
      test::PackageBuilder(96, 48)
          .scene("halves.bmp", test::make_bmp_24(test::with_rectangle(
                                   test::make_solid_picture(96, 48, 0xFF0000), 48, 0, 48, 48,
                                   0x0000FF)))
          .display_time(400)
          .effect(19)  // the fade's fallback, not drawn
          .scene("b.bmp", test::make_bmp_24(test::make_solid_picture(96, 48, 0x0000FF)))
          .display_time(100)
          .effect(19)
          .build();
  show.Extension = ShowExtension{
      {FadeRecord{0, 200}, PanZoomPathRecord{0, Rect{0, 0, 96, 48}, Rect{6, 12, 24, 12}}}};
  test::write_file(dir.file("show.scr"), test::program_file_with(show));
  const test::RunResult render = test::run_showpack(
      dir, {"render", dir.file("show.scr"), "--out", dir.file("frames"), "--contact-sheet",
            dir.file("sheet.png"), "--screen", "96x48", "--transitions", "2"});
  ASSERT_EQ(render.status, 0) << render.err;
  const auto sheet = test::read_png(dir.file("sheet.png"));
  ASSERT_TRUE(sheet);
  const int row = kThumb / 2;
  // The hold, the fade, the wipe; the still hold of blue has no row.
  ASSERT_EQ(sheet->height, 3 * (row + kGap) + kGap);
  const auto red = [&](int r, int f) {
    return mean(*sheet, kLabel + f * (kThumb + kGap), kGap + r * (row + kGap), kThumb, row, 16);
  };
  const auto blue = [&](int r, int f) {
    return mean(*sheet, kLabel + f * (kThumb + kGap), kGap + r * (row + kGap), kThumb, row, 0);
  };
  // The hold starts on both halves and ends inside the red one.
  EXPECT_NEAR(red(0, 0), 127.5, 20.0);
  EXPECT_LT(red(0, 0), red(0, 2));
  EXPECT_GT(red(0, 4), 250.0);
  // The fade: red to blue through frames that are both.
  EXPECT_GT(red(1, 0), 200.0);
  EXPECT_GT(red(1, 2), 40.0);
  EXPECT_GT(blue(1, 2), 40.0);
  EXPECT_GT(blue(1, 4), 250.0);
  // Every pixel of the fade's middle frame is a blend, not a wipe's edge.
  const int middle_left = kLabel + 2 * (kThumb + kGap), top = kGap + row + kGap;
  for (const int x : {middle_left + 4, middle_left + kThumb / 2, middle_left + kThumb - 4}) {
    const std::uint32_t pixel = sheet->pixels[std::size_t(top + row / 2) * sheet->width + x];
    EXPECT_GT(pixel >> 16 & 0xFF, 30u) << x;
    EXPECT_GT(pixel & 0xFF, 30u) << x;
  }
}

}  // namespace
}  // namespace showsaver
