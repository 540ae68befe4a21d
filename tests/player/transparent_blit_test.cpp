// The transparent sprite blit on the software GDI, with its GDI calls recorded.
#include "player/transparent_blit.h"

#include <gtest/gtest.h>

#include <string>

#include "common/runtime_failure.h"
#include "gdi_replay/gdi_cases.h"
#include "platform/scripted/recording_gdi.h"
#include "platform/soft/soft_gdi.h"

namespace showsaver {
namespace {

using gdi_cases::kSpriteKey;
using gdi_cases::kSpriteKeyPixel;
using gdi_cases::pattern;

struct Stage {
  SoftGdi soft;
  VirtualClock clock;
  RecordingGdi gdi{soft, clock};
  DcHandle destination;
  DcHandle source;
  PixelImage before;

  Stage(const PixelImage& background, const PixelImage& sprite) {
    destination = soft.CreateCompatibleDC(DcHandle{});
    soft.SelectObject(destination, soft.CreateBitmapFromImage(background));
    source = soft.CreateCompatibleDC(DcHandle{});
    soft.SelectObject(source, soft.CreateBitmapFromImage(sprite));
    soft.SetBkColor(source, rgb(1, 2, 3));
    before = background;
    gdi.record_object_calls(true);
  }

  PixelImage result() const { return *soft.ReadImage(destination); }
};

// What the sprite blit must give: each sprite pixel that is not the key
// replaces the destination pixel under it; everything else stays.
PixelImage composed(const PixelImage& background, const PixelImage& sprite, int x, int y, int width,
                    int height, int source_x, int source_y) {
  PixelImage out = background;
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      const int dx = x + i, dy = y + j, sx = source_x + i, sy = source_y + j;
      if (dx < 0 || dy < 0 || dx >= out.width || dy >= out.height) continue;
      if (sx < 0 || sy < 0 || sx >= sprite.width || sy >= sprite.height) continue;
      const std::uint32_t pixel = sprite.pixels[sy * sprite.width + sx];
      if (pixel != kSpriteKeyPixel) out.pixels[dy * out.width + dx] = pixel;
    }
  }
  return out;
}

class SpriteTest : public ::testing::TestWithParam<gdi_cases::SpriteCase> {};

TEST_P(SpriteTest, DrawsOpaquePixelsAndLeavesEverythingElse) {
  const gdi_cases::SpriteCase& c = GetParam();
  const PixelImage sprite = gdi_cases::sprite_picture(c);
  const PixelImage background = gdi_cases::sprite_background();
  Stage stage(background, sprite);
  const std::size_t objects = stage.soft.live_object_count();
  BlitTransparent(stage.gdi, stage.destination, c.x, c.y, c.width, c.height, stage.source,
                  c.source_x, c.source_y, kSpriteKey);
  EXPECT_EQ(stage.result(),
            composed(background, sprite, c.x, c.y, c.width, c.height, c.source_x, c.source_y));
  EXPECT_EQ(stage.soft.live_object_count(), objects);
  EXPECT_EQ(stage.soft.GetBkColor(stage.source), rgb(1, 2, 3));
}

INSTANTIATE_TEST_SUITE_P(Cases, SpriteTest, ::testing::ValuesIn(gdi_cases::sprite_cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

struct OverflowCase {
  const char* name;
  int width, height;
};

const OverflowCase kOverflowCases[] = {
    {"NegatedHeight", 1, -2147483647 - 1},
    {"AreaTimesThree", 40000, 20000},  // 800,000,000 * 3
    {"Area", 65536, 65536},
};

class OverflowTest : public ::testing::TestWithParam<OverflowCase> {};

// The size check fails before any colour bitmap exists and before the
// destination is touched, and the mask DC and bitmap are released.
TEST_P(OverflowTest, FailsAndReleasesTheMask) {
  const OverflowCase& c = GetParam();
  const PixelImage background = pattern(6, 6, 0x203040);
  Stage stage(background, pattern(4, 4, 0x506070));
  const std::size_t objects = stage.soft.live_object_count();
  try {
    BlitTransparent(stage.gdi, stage.destination, 0, 0, c.width, c.height, stage.source, 0, 0,
                    kSpriteKey);
    FAIL() << "no overflow";
  } catch (const RuntimeFailure& failure) {
    EXPECT_EQ(failure.description(), kOverflowDescription);
  }
  EXPECT_EQ(stage.result(), background);
  EXPECT_EQ(stage.soft.live_object_count(), objects);
  const std::vector<GdiCall>& calls = stage.gdi.calls();
  for (const GdiCall& call : calls) {
    EXPECT_NE(call.kind, GdiCallKind::CreateDIBitmap);
    EXPECT_NE(call.kind, GdiCallKind::CreateCompatibleBitmap);
  }
  // The mask: the first DC made, released last with its bitmap.
  ASSERT_GE(calls.size(), 2u);
  ASSERT_EQ(calls.front().kind, GdiCallKind::CreateCompatibleDC);
  EXPECT_EQ(calls[calls.size() - 2].kind, GdiCallKind::DeleteDC);
  EXPECT_EQ(calls[calls.size() - 2].dc.value, calls.front().created);
  EXPECT_EQ(calls.back().kind, GdiCallKind::DeleteObject);
}

INSTANTIATE_TEST_SUITE_P(Cases, OverflowTest, ::testing::ValuesIn(kOverflowCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver
