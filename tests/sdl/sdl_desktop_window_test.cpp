#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/picture_placement.h"
#include "platform/picture_scaling.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/soft/soft_gdi.h"
#include "sdl_fixture.h"
#include "support/show_harness.h"

namespace showsaver::test {
namespace {

// A picture in which every pixel differs from its neighbours.
PixelImage pattern(int width, int height) {
  PixelImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto value = static_cast<std::uint32_t>(0x102030 + x * 0x010305 + y * 0x070100);
      image.pixels.push_back(value & 0x00FFFFFFu);
    }
  }
  return image;
}

class SdlWindowTest : public SdlDummyVideo {
 protected:
  // A DC holding `image`, as the picture area's surface would.
  DcHandle dc_with(const PixelImage& image) {
    const DcHandle dc = gdi_.CreateCompatibleDC(DcHandle{});
    gdi_.SelectObject(dc, gdi_.CreateBitmapFromImage(image));
    return dc;
  }

  SoftGdi gdi_;
  CountingSink sink_;
};

TEST_F(SdlWindowTest, ScreenSizeIsThePrimaryDisplaysMode) {
  SdlDesktop desktop(gdi_);
  SDL_DisplayMode mode;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0);
  const Size size = desktop.screen_size();
  EXPECT_EQ(size.width, mode.w);
  EXPECT_EQ(size.height, mode.h);
  EXPECT_GT(size.width, 0);
}

TEST_F(SdlWindowTest, WindowIsCreatedHiddenThenShownTopmostAndDestroyed) {
  SdlDesktop desktop(gdi_);
  EXPECT_EQ(desktop.show_window_handle(), 0u);
  desktop.create_show_window({10, 20, 30, 40}, sink_);
  ASSERT_NE(desktop.window(), nullptr);
  const Uint32 created = SDL_GetWindowFlags(desktop.window());
  EXPECT_TRUE(created & SDL_WINDOW_HIDDEN);
  EXPECT_TRUE(created & SDL_WINDOW_BORDERLESS);
  EXPECT_EQ(created & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP});
  EXPECT_NE(desktop.show_window_handle(), 0u);

  desktop.show_window();
  EXPECT_TRUE(SDL_GetWindowFlags(desktop.window()) & SDL_WINDOW_SHOWN);
  int width = 0;
  int height = 0;
  for (std::uint32_t pixel : read_screen(desktop.window(), width, height)) {
    ASSERT_EQ(pixel, 0u) << "a newly shown window is black";
  }
  // The dummy driver keeps no stacking order, so topmost cannot be observed here.
  desktop.make_topmost();

  desktop.destroy_show_window();
  EXPECT_EQ(desktop.window(), nullptr);
  EXPECT_EQ(desktop.show_window_handle(), 0u);
  desktop.destroy_show_window();  // a second time does nothing
}

// A black screen of `screen`'s size with `picture` at `at`, cut at the edges.
PixelImage on_black(Size screen, const PixelImage& picture, Point at) {
  return with_picture(solid_image(screen.width, screen.height, 0), picture, at);
}

// The whole window against `expected`, naming the first pixels that differ.
void expect_window_shows(SDL_Window* window, const PixelImage& expected) {
  int width = 0;
  int height = 0;
  const std::vector<std::uint32_t> pixels = read_screen(window, width, height);
  ASSERT_EQ(width, expected.width);
  ASSERT_EQ(height, expected.height);
  int mismatches = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if (pixels[i] != expected.pixels[i] && ++mismatches < 5) {
      ADD_FAILURE() << "pixel " << i % static_cast<std::size_t>(width) << ","
                    << i / static_cast<std::size_t>(width);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// A positive left (top) is the distance of the area's corner left of (above)
// the screen's centre; a negative one is the corner itself.
struct Placement {
  const char* name;
  int left;
  int top;
  int width;
  int height;
};

class SdlRefreshTest : public SdlWindowTest, public ::testing::WithParamInterface<Placement> {};

// The window shows the picture at its place, pixel for pixel, clipped by the
// window, and black around it.
TEST_P(SdlRefreshTest, RefreshPutsTheImageAtThePictureArea) {
  const Placement& placement = GetParam();
  SdlDesktop desktop(gdi_);
  const Size screen = desktop.screen_size();
  const int left = placement.left < 0 ? placement.left : screen.width / 2 - placement.left;
  const int top = placement.top < 0 ? placement.top : screen.height / 2 - placement.top;
  desktop.create_show_window({left, top, placement.width, placement.height}, sink_);
  desktop.show_window();
  const PixelImage image = pattern(placement.width, placement.height);
  desktop.refresh_picture_area(dc_with(image));
  expect_window_shows(desktop.window(), on_black(screen, image, {left, top}));
}

INSTANTIATE_TEST_SUITE_P(Placements, SdlRefreshTest,
                         ::testing::Values(Placement{"Centred", 125, 75, 251, 150},
                                           Placement{"NegativeLeftAndTop", -20, -10, 100, 60}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// A picture area larger than the dummy driver's screen of 1024 x 768, centred
// on it as the show places it, and where it shows once shrunk to fit.
struct Oversize {
  const char* name;
  Size area;
  Rect shown;
};

class SdlScaledRefreshTest : public SdlWindowTest,
                             public ::testing::WithParamInterface<Oversize> {};

// Shrunk to fit, its aspect kept, and centred: the whole picture, black around it.
TEST_P(SdlScaledRefreshTest, ALargerPictureAreaIsShownWholeScaledDown) {
  const Oversize& oversize = GetParam();
  SdlDesktop desktop(gdi_);
  const Size screen = desktop.screen_size();
  ASSERT_EQ(screen, (Size{1024, 768}));
  desktop.create_show_window(centred_area(screen, oversize.area), sink_);
  desktop.show_window();
  const PixelImage image = pattern(oversize.area.width, oversize.area.height);
  desktop.refresh_picture_area(dc_with(image));
  const PixelImage scaled = scaled_picture(
      {image.pixels.data(), image.width, image.height, static_cast<std::size_t>(image.width)},
      {oversize.shown.width, oversize.shown.height});
  expect_window_shows(desktop.window(),
                      on_black(screen, scaled, {oversize.shown.left, oversize.shown.top}));
}

INSTANTIATE_TEST_SUITE_P(
    Oversizes, SdlScaledRefreshTest,
    ::testing::Values(Oversize{"Wider", {2048, 384}, {0, 288, 1024, 192}},
                      Oversize{"Taller", {512, 1536}, {384, 0, 256, 768}},
                      Oversize{"BothSidesSlightly", {1064, 798}, {0, 0, 1024, 768}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(SdlWindowTest, EachRefreshReplacesTheFrameAndAnExposeRepaintsIt) {
  SdlDesktop desktop(gdi_);
  desktop.create_show_window({4, 3, 8, 6}, sink_);
  desktop.show_window();
  desktop.refresh_picture_area(dc_with(pattern(8, 6)));
  const PixelImage second = pattern(8, 6 + 1);
  PixelImage shown{8, 6, {second.pixels.begin() + 8, second.pixels.end()}};
  desktop.refresh_picture_area(dc_with(shown));

  // Something else painted over the window; the window system asks for a repaint.
  SDL_Surface* surface = SDL_GetWindowSurface(desktop.window());
  ASSERT_NE(surface, nullptr);
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 0, 0));
  SDL_Event expose{};
  expose.type = SDL_WINDOWEVENT;
  expose.window.event = SDL_WINDOWEVENT_EXPOSED;
  expose.window.windowID = SDL_GetWindowID(desktop.window());
  ASSERT_EQ(SDL_PushEvent(&expose), 1);
  desktop.process_messages();

  int width = 0;
  int height = 0;
  const std::vector<std::uint32_t> pixels = read_screen(desktop.window(), width, height);
  EXPECT_EQ(pixels[0], 0u);
  EXPECT_EQ(pixels[static_cast<std::size_t>(3 * width + 4)], shown.pixels[0]);
  EXPECT_EQ(pixels[static_cast<std::size_t>(8 * width + 11)], shown.pixels.back());
  EXPECT_EQ(pixels[static_cast<std::size_t>(9 * width + 12)], 0u);
}

TEST_F(SdlWindowTest, RefreshWithABadDcOrNoWindowDoesNothing) {
  SdlDesktop desktop(gdi_);
  desktop.refresh_picture_area(dc_with(pattern(4, 4)));  // no window yet
  desktop.create_show_window({0, 0, 4, 4}, sink_);
  desktop.show_window();
  desktop.refresh_picture_area(DcHandle{12345});
  int width = 0;
  int height = 0;
  EXPECT_EQ(read_screen(desktop.window(), width, height)[0], 0u);
}

// The window takes a colour surface's pixels as they are, whatever top byte
// a raster operation left in them, and a monochrome one as black and white.
TEST_F(SdlWindowTest, ColourSurfacesShowWithoutTheirTopByteMonochromeAsBlackAndWhite) {
  SdlDesktop desktop(gdi_);
  desktop.create_show_window({0, 0, 3, 2}, sink_);
  desktop.show_window();
  const PixelImage image = pattern(3, 2);
  const DcHandle color = dc_with(image);
  ASSERT_TRUE(gdi_.BitBlt(color, 0, 0, 3, 2, DcHandle{}, 0, 0, rop::DSTINVERT));
  ASSERT_NE(gdi_.ViewImage(color)->pixels[0] >> 24, 0u);
  desktop.refresh_picture_area(color);
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels = read_screen(desktop.window(), width, height);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(pixels[static_cast<std::size_t>(y * width + x)],
                ~image.pixels[static_cast<std::size_t>(y * 3 + x)] & 0x00FFFFFFu)
          << x << "," << y;
    }
  }

  const std::uint8_t mono_bits[] = {0xA0, 0x00, 0x40, 0x00};
  const DcHandle mono = gdi_.CreateCompatibleDC(DcHandle{});
  gdi_.SelectObject(mono, gdi_.CreateBitmap(3, 2, 1, 1, mono_bits));
  desktop.refresh_picture_area(mono);
  pixels = read_screen(desktop.window(), width, height);
  const std::uint32_t expected[2][3] = {{0xFFFFFF, 0, 0xFFFFFF}, {0, 0xFFFFFF, 0}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(pixels[static_cast<std::size_t>(y * width + x)], expected[y][x]) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace showsaver::test
