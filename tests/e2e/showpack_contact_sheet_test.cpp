// `showpack render --contact-sheet`: one row per transition, each labelled
// and holding small copies of that transition's frames.
#include <gtest/gtest.h>

#include "support/bitmap_files.h"
#include "support/package_builder.h"
#include "support/png_files.h"
#include "support/run_program.h"
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

}  // namespace
}  // namespace showsaver
