// The transparent sprite blit on the software GDI, with its GDI calls recorded.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/runtime_failure.h"
#include "platform/soft/soft_gdi.h"
#include "player/transparent_blt_func.h"

namespace showsaver {
namespace {

// Forwards every call to a SoftGdi and writes one line per call.
class RecordingGdi final : public Gdi {
 public:
  explicit RecordingGdi(SoftGdi& inner) : inner_(inner) {}

  std::vector<std::string> calls;

  DcHandle CreateCompatibleDC(DcHandle dc) override {
    const DcHandle result = inner_.CreateCompatibleDC(dc);
    log("CreateCompatibleDC", name(dc), "->", name(result));
    return result;
  }
  BitmapHandle CreateBitmap(int width, int height, unsigned planes, unsigned bits_per_pixel,
                            const void* bits) override {
    const BitmapHandle result = inner_.CreateBitmap(width, height, planes, bits_per_pixel, bits);
    log("CreateBitmap", width, height, planes, bits_per_pixel, bits ? "bits" : "null", "->",
        name(result));
    return result;
  }
  BitmapHandle CreateCompatibleBitmap(DcHandle dc, int width, int height) override {
    const BitmapHandle result = inner_.CreateCompatibleBitmap(dc, width, height);
    log("CreateCompatibleBitmap", name(dc), width, height, "->", name(result));
    return result;
  }
  BitmapHandle CreateDIBitmap(DcHandle dc, const BitmapInfoHeader* header, std::uint32_t init,
                              const void* bits, const BitmapInfoHeader* info,
                              unsigned usage) override {
    const BitmapHandle result = inner_.CreateDIBitmap(dc, header, init, bits, info, usage);
    log("CreateDIBitmap", name(dc), describe(*header), init, bits ? "bits" : "null",
        header == info ? "same-header" : "other-header", usage, "->", name(result));
    return result;
  }
  BitmapHandle CreateColorBitmap(int width, int height) override {
    return inner_.CreateColorBitmap(width, height);
  }
  BitmapHandle CreateBitmapFromImage(const PixelImage& image) override {
    return inner_.CreateBitmapFromImage(image);
  }
  GdiObject SelectObject(DcHandle dc, GdiObject object) override {
    log("SelectObject", name(dc), name(object));
    return inner_.SelectObject(dc, object);
  }
  bool DeleteDC(DcHandle dc) override {
    log("DeleteDC", name(dc));
    return inner_.DeleteDC(dc);
  }
  bool DeleteObject(GdiObject object) override {
    log("DeleteObject", name(object));
    return inner_.DeleteObject(object);
  }
  ColorRef SetBkColor(DcHandle dc, ColorRef color) override {
    log("SetBkColor", name(dc), color);
    return inner_.SetBkColor(dc, color);
  }
  ColorRef GetBkColor(DcHandle dc) override { return inner_.GetBkColor(dc); }
  ColorRef SetTextColor(DcHandle dc, ColorRef color) override {
    log("SetTextColor", name(dc), color);
    return inner_.SetTextColor(dc, color);
  }
  bool BitBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
              int source_x, int source_y, std::uint32_t raster_operation) override {
    log("BitBlt", name(destination), x, y, width, height, name(source), source_x, source_y,
        hex(raster_operation));
    return inner_.BitBlt(destination, x, y, width, height, source, source_x, source_y,
                         raster_operation);
  }
  bool StretchBlt(DcHandle destination, int x, int y, int width, int height, DcHandle source,
                  int source_x, int source_y, int source_width, int source_height,
                  std::uint32_t raster_operation) override {
    log("StretchBlt");
    return inner_.StretchBlt(destination, x, y, width, height, source, source_x, source_y,
                             source_width, source_height, raster_operation);
  }
  bool FillBox(DcHandle dc, int x1, int y1, int x2, int y2, ColorRef color) override {
    return inner_.FillBox(dc, x1, y1, x2, y2, color);
  }

  // Handles are named in order of first appearance: dc1, dc2, ... bm1, bm2, ...
  void name_dc(DcHandle dc, const std::string& label) { labels_.push_back({dc.value, label}); }

 private:
  std::string name(DcHandle dc) { return label(dc.value, "dc"); }
  std::string name(BitmapHandle bitmap) { return label(bitmap.value, "bm"); }
  std::string label(std::uintptr_t value, const std::string& prefix) {
    if (value == 0) return "null";
    for (const auto& [known, text] : labels_) {
      if (known == value) return text;
    }
    int count = 1;
    for (const auto& entry : labels_) count += entry.second.rfind(prefix, 0) == 0;
    labels_.push_back({value, prefix + std::to_string(count)});
    return labels_.back().second;
  }
  static std::string hex(std::uint32_t value) {
    std::ostringstream out;
    out << std::hex << std::uppercase << value;
    return out.str();
  }
  static std::string describe(const BitmapInfoHeader& h) {
    std::ostringstream out;
    out << "{" << h.biSize << " " << h.biWidth << " " << h.biHeight << " " << h.biPlanes << " "
        << h.biBitCount << " " << h.biCompression << " " << h.biSizeImage << " "
        << h.biXPelsPerMeter << " " << h.biYPelsPerMeter << " " << h.biClrUsed << " "
        << h.biClrImportant << "}";
    return out.str();
  }
  template <typename... Parts>
  void log(const Parts&... parts) {
    std::ostringstream out;
    bool first = true;
    ((out << (first ? "" : " ") << parts, first = false), ...);
    calls.push_back(out.str());
  }

  SoftGdi& inner_;
  std::vector<std::pair<std::uintptr_t, std::string>> labels_;
};

constexpr ColorRef kKey = rgb(0x10, 0x20, 0x30);  // the transparent colour
constexpr std::uint32_t kKeyPixel = 0x102030;

struct Stage {
  SoftGdi soft;
  RecordingGdi gdi{soft};
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
    gdi.name_dc(destination, "destination");
    gdi.name_dc(source, "source");
  }

  PixelImage result() const { return *soft.read_image(destination); }
};

PixelImage pattern(int width, int height, std::uint32_t base) {
  PixelImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i)
    image.pixels.push_back((base + 0x010305u * i) & 0xFFFFFF);
  return image;
}

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
      if (pixel != kKeyPixel) out.pixels[dy * out.width + dx] = pixel;
    }
  }
  return out;
}

struct SpriteCase {
  const char* name;
  int sprite_width, sprite_height;
  int x, y, width, height, source_x, source_y;
  // Which sprite pixels are the key (every k-th), 0 for none, 1 for all.
  int key_every;
  bool black_pixels;
};

const SpriteCase kSpriteCases[] = {
    {"NoTransparentPixel", 4, 3, 2, 1, 4, 3, 0, 0, 0, false},
    {"AllTransparent", 4, 3, 2, 1, 4, 3, 0, 0, 1, false},
    {"MixedWithBlackOpaquePixels", 5, 4, 1, 2, 5, 4, 0, 0, 3, true},
    {"PastRightAndBottomEdge", 5, 4, 7, 5, 5, 4, 0, 0, 2, false},
    {"PastLeftAndTopEdge", 5, 4, -2, -3, 5, 4, 0, 0, 2, true},
    {"SourceOffset", 6, 5, 3, 3, 3, 2, 2, 1, 2, false},
    {"ZeroWidth", 4, 3, 2, 1, 0, 3, 0, 0, 2, false},
    {"ZeroHeight", 4, 3, 2, 1, 4, 0, 0, 0, 2, false},
};

class SpriteTest : public ::testing::TestWithParam<SpriteCase> {};

TEST_P(SpriteTest, DrawsOpaquePixelsAndLeavesEverythingElse) {
  const SpriteCase& c = GetParam();
  PixelImage sprite = pattern(c.sprite_width, c.sprite_height, 0x405060);
  for (std::size_t i = 0; i < sprite.pixels.size(); ++i) {
    if (c.key_every != 0 && i % c.key_every == 0)
      sprite.pixels[i] = kKeyPixel;
    else if (c.black_pixels && i % 2 == 1)
      sprite.pixels[i] = 0;
  }
  const PixelImage background = pattern(10, 8, 0x808080);
  Stage stage(background, sprite);
  const std::size_t objects = stage.soft.live_object_count();
  BlitTransparent(stage.gdi, stage.destination, c.x, c.y, c.width, c.height, stage.source,
                  c.source_x, c.source_y, kKey);
  EXPECT_EQ(stage.result(),
            composed(background, sprite, c.x, c.y, c.width, c.height, c.source_x, c.source_y));
  EXPECT_EQ(stage.soft.live_object_count(), objects);
  EXPECT_EQ(stage.soft.GetBkColor(stage.source), rgb(1, 2, 3));
}

INSTANTIATE_TEST_SUITE_P(Cases, SpriteTest, ::testing::ValuesIn(kSpriteCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(TransparentBltTest, MakesTheGdiCallsInOrder) {
  Stage stage(pattern(8, 8, 0), pattern(3, 2, 0x111111));
  BlitTransparent(stage.gdi, stage.destination, 4, 5, 3, 2, stage.source, 0, 0, kKey);
  const std::vector<std::string> expected = {
      "CreateCompatibleDC destination -> dc1",
      "CreateBitmap 3 2 1 1 null -> bm1",
      "SelectObject dc1 bm1",
      "SetBkColor source 3153936",
      "BitBlt dc1 0 0 3 2 source 0 0 CC0020",
      "SetBkColor source 197121",
      "CreateDIBitmap source {40 3 -2 1 24 0 18 0 0 0 0} 0 null same-header 0 -> bm2",
      "CreateCompatibleDC source -> dc2",
      "SelectObject dc2 bm2",
      "BitBlt dc2 0 0 3 2 dc1 0 0 CC0020",
      "CreateCompatibleDC destination -> dc3",
      "CreateCompatibleBitmap destination 3 2 -> bm3",
      "SelectObject dc3 bm3",
      "BitBlt dc3 0 0 3 2 source 0 0 CC0020",
      "BitBlt dc3 0 0 3 2 dc1 0 0 220326",
      "BitBlt destination 4 5 3 2 dc2 0 0 8800C6",
      "BitBlt destination 4 5 3 2 dc3 0 0 660046",
      "DeleteDC dc1",
      "DeleteDC dc2",
      "DeleteDC dc3",
      "DeleteObject bm1",
      "DeleteObject bm2",
      "DeleteObject bm3",
  };
  EXPECT_EQ(stage.gdi.calls, expected);
}

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
                    kKey);
    FAIL() << "no overflow";
  } catch (const RuntimeFailure& failure) {
    EXPECT_EQ(failure.description(), kOverflowDescription);
  }
  EXPECT_EQ(stage.result(), background);
  EXPECT_EQ(stage.soft.live_object_count(), objects);
  for (const std::string& call : stage.gdi.calls) {
    EXPECT_EQ(call.find("CreateDIBitmap"), std::string::npos);
    EXPECT_EQ(call.find("CreateCompatibleBitmap"), std::string::npos);
  }
  ASSERT_GE(stage.gdi.calls.size(), 2u);
  EXPECT_EQ(stage.gdi.calls[stage.gdi.calls.size() - 2], "DeleteDC dc1");
  EXPECT_EQ(stage.gdi.calls.back().rfind("DeleteObject", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, OverflowTest, ::testing::ValuesIn(kOverflowCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver
