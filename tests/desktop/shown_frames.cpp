#include "shown_frames.h"

#include <algorithm>

#include "platform/picture_placement.h"
#include "support/package_builder.h"
#include "support/png_files.h"
#include "support/show_harness.h"
#include "x_session.h"

namespace showsaver::test {

ShowPackage quartered_show(Size size) {
  const int half_width = size.width / 2;
  const int half_height = size.height / 2;
  PixelImage picture = solid_image(size.width, size.height, 0x2040C0);
  picture = with_rectangle(picture, half_width, 0, size.width - half_width, half_height, 0xE0A000);
  picture =
      with_rectangle(picture, 0, half_height, half_width, size.height - half_height, 0x10A040);
  picture = with_rectangle(picture, size.width * 3 / 4, size.height * 3 / 4, size.width / 4,
                           size.height / 4, 0xFFFFFF);
  return PackageBuilder(size.width, size.height)
      .scene("quarters.bmp", bmp_file(picture))
      .display_time(60'000)
      .build();
}

PixelImage rendered_frame(const TempDir& folder, const std::string& show) {
  Child render({SHOWPACK_PATH, "render", show, "--out", folder.file("frames"), "--ms", "100"}, {},
               folder.file("render"));
  EXPECT_EQ(render.wait_exit(), 0) << render.err();
  return read_png(folder.file("frames/frame-000000.png")).value_or(PixelImage{});
}

int lit_pixels(const PixelImage& image) {
  return static_cast<int>(std::count_if(image.pixels.begin(), image.pixels.end(),
                                        [](std::uint32_t pixel) { return pixel != 0; }));
}

bool shows_centred(XServer& x, const Rect& area, const PixelImage& expected) {
  const Rect centred = centred_area({area.width, area.height}, {expected.width, expected.height});
  return x.screenshot(area.left + centred.left, area.top + centred.top, expected.width,
                      expected.height) == expected;
}

}  // namespace showsaver::test
