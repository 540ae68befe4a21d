// A frame bitmap shows the pixels written into it, the same whether the GDI
// lets it write its bitmap in place or every frame goes through a bitmap of
// its own; and it leaves no GDI object behind.
#include <gtest/gtest.h>

#include "effects/frame_bitmap.h"
#include "platform/scripted/recording_gdi.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver {
namespace {

constexpr Size kSize{5, 3};

// Writes two frames of numbered pixels into a frame bitmap on `gdi` and shows
// each on a surface offset by one pixel: the surface after each show.
std::vector<PixelImage> shown_frames(Gdi& gdi) {
  const DcHandle surface = gdi.CreateCompatibleDC(DcHandle{});
  gdi.SelectObject(surface, gdi.CreateColorBitmap(kSize.width + 1, kSize.height));
  std::vector<PixelImage> shown;
  FrameBitmap frame(gdi, kSize);
  for (std::uint32_t base : {0x00010203u, 0x00A0B0C0u}) {
    const PixelTarget target = frame.pixels();
    EXPECT_EQ(target.width, kSize.width);
    EXPECT_EQ(target.height, kSize.height);
    for (int y = 0; y < target.height; ++y) {
      for (int x = 0; x < target.width; ++x) {
        target.pixels[static_cast<std::size_t>(y) * target.stride + x] =
            base + static_cast<std::uint32_t>(y * 16 + x);
      }
    }
    frame.show(surface);
    shown.push_back(*gdi.ReadImage(surface));
  }
  return shown;
}

TEST(FrameBitmap, ShowsTheSameFramesInPlaceAndThroughACopy) {
  SoftGdi in_place;
  const std::size_t objects_before = in_place.live_object_count();
  const std::vector<PixelImage> direct = shown_frames(in_place);
  ASSERT_EQ(direct.size(), 2u);
  EXPECT_EQ(direct[1].pixels[0], 0x00A0B0C0u);
  EXPECT_EQ(direct[1].pixels[2 * 6 + 4], 0x00A0B0C0u + 2 * 16 + 4);
  EXPECT_EQ(direct[1].pixels[5], 0u) << "the surface's last column is not drawn";
  // The surface is what stays; the frame bitmap and its DC are gone.
  EXPECT_EQ(in_place.live_object_count(), objects_before + 2);

  SoftGdi inner;
  VirtualClock clock;
  RecordingGdi without_pixels(inner, clock);  // gives no EditImage
  EXPECT_EQ(shown_frames(without_pixels), direct);
}

}  // namespace
}  // namespace showsaver
