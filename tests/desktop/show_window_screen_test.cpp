// "/s" on a private X server without a window manager: the show window covers
// the screen, says it is full screen (for a window manager to keep it so),
// shows the picture centred on black, shrunk to fit where the screen is
// smaller, and ends on a key.
#include <X11/Xatom.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/picture_scaling.h"
#include "shown_frames.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "x_session.h"

namespace showsaver::test {
namespace {

// The atoms of `window`'s _NET_WM_STATE.
std::vector<Atom> window_state(Display* display, Window window) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long left = 0;
  unsigned char* data = nullptr;
  std::vector<Atom> atoms;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), 0, 64,
                         False, XA_ATOM, &type, &format, &count, &left, &data) == Success &&
      data != nullptr) {
    if (type == XA_ATOM && format == 32) {
      const auto* values = reinterpret_cast<const Atom*>(data);
      atoms.assign(values, values + count);
    }
    XFree(data);
  }
  return atoms;
}

TEST(ShowWindowScreenTest, TheShowWindowCoversTheScreenFullScreenAndEndsOnAKey) {
  XServer x;
  ASSERT_TRUE(x.ok());
  TempDir folder;
  TempDir logs;
  const ShowPackage package = PackageBuilder(40, 30)
                                  .scene("red.bmp", bmp_file(solid_image(40, 30, 0xFF0000)))
                                  .display_time(60'000)
                                  .build();
  const std::string show = install_show(folder, "show.scr", package);
  Child player({show, "/s"}, session_environment(x, folder), logs.file("player"));
  const Window window = x.wait_for_window("showsaver");
  ASSERT_NE(window, 0u) << player.err();

  const Rect screen = x.geometry(x.root());
  const Rect place = x.geometry(window);
  EXPECT_EQ(place.left, 0);
  EXPECT_EQ(place.top, 0);
  EXPECT_EQ(place.width, screen.width);
  EXPECT_EQ(place.height, screen.height);
  const std::vector<Atom> state = window_state(x.display(), window);
  EXPECT_NE(std::find(state.begin(), state.end(),
                      XInternAtom(x.display(), "_NET_WM_STATE_FULLSCREEN", False)),
            state.end());

  const auto shows_picture = [&] {
    const PixelImage middle = x.screenshot(screen.width / 2 - 20, screen.height / 2 - 15, 40, 30);
    const PixelImage around = x.screenshot(screen.width / 2 - 21, screen.height / 2 - 16, 1, 1);
    return !middle.pixels.empty() && !around.pixels.empty() && around.pixels[0] == 0 &&
           std::all_of(middle.pixels.begin(), middle.pixels.end(),
                       [](std::uint32_t pixel) { return pixel == 0xFF0000u; });
  };
  EXPECT_TRUE(wait_until(shows_picture)) << "the red picture centred on black";

  x.press_keys({"space"});
  EXPECT_EQ(player.wait_exit(), 0) << player.err();
  EXPECT_TRUE(temp_folders(folder.file("run/")).empty());
}

// A show wider than the screen is shown whole: shrunk to the screen's width,
// its aspect kept, centred on black.
TEST(ShowWindowScreenTest, AShowLargerThanTheScreenIsShownWholeScaledDown) {
  XServer x(320, 240);
  ASSERT_TRUE(x.ok());
  TempDir folder;
  TempDir logs;
  const std::string show = install_show(folder, "show.scr", quartered_show({480, 240}));
  const PixelImage frame = rendered_frame(logs, show);
  ASSERT_EQ(frame.width, 480);
  Child player({show, "/s"}, session_environment(x, folder), logs.file("player"));

  // 480 x 240 at 320 wide keeps 2:1: 320 x 160, with 40 black rows above and below.
  const PixelImage scaled = scaled_picture(
      {frame.pixels.data(), frame.width, frame.height, static_cast<std::size_t>(frame.width)},
      {320, 160});
  const PixelImage expected = with_picture(solid_image(320, 240, 0), scaled, {0, 40});
  EXPECT_TRUE(wait_until([&] { return x.screenshot(0, 0, 320, 240) == expected; })) << player.err();
  const PixelImage screen = x.screenshot(0, 0, 320, 240);
  keep_screenshot(screen, "scaled-down");
  // Not cut: every corner of the picture is on screen, in its own colour.
  EXPECT_EQ(pixel(screen, 0, 40), 0x2040C0u);
  EXPECT_EQ(pixel(screen, 319, 40), 0xE0A000u);
  EXPECT_EQ(pixel(screen, 0, 199), 0x10A040u);
  EXPECT_EQ(pixel(screen, 319, 199), 0xFFFFFFu);
  EXPECT_EQ(lit_pixels(screen), 320 * 160);

  x.press_keys({"space"});
  EXPECT_EQ(player.wait_exit(), 0) << player.err();
  EXPECT_TRUE(temp_folders(folder.file("run/")).empty());
}

}  // namespace
}  // namespace showsaver::test
