// The 64-bit Windows player under Wine on a desktop of two monitors (Xorg's
// dummy driver: 800 x 600, primary, and 640 x 480 right of it, the root grey):
// the show covers both in black, its picture area centred on the primary
// one at the display's scale, input on the second monitor ends it, and so
// does another program taking the foreground.  Its own Wine session, since
// the other Wine tests expect one screen of 1024 x 768.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/picture_placement.h"
#include "platform/picture_scaling.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

constexpr Size kPrimary{800, 600};
constexpr Size kSecond{640, 480};
constexpr std::uint32_t kBlack = 0;

// A picture whose every pixel differs from its neighbours, so that a shift
// by one or a blend shows.
PixelImage pattern(Size size) {
  PixelImage image{size.width, size.height, {}};
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      image.pixels.push_back(std::uint32_t((x * 37 + y * 11) & 0xFF) << 16 |
                             std::uint32_t((x * 5 + y * 53) & 0xFF) << 8 |
                             std::uint32_t((x * 29 + y * 17) & 0xFF));
    }
  }
  return image;
}

// One scene held for a minute, so that the first frame is what shows.
ShowPackage held_show(Size size) {
  return PackageBuilder(size.width, size.height)
      .scene("held.bmp", bmp_file(pattern(size)))
      .display_time(60000)
      .effect(0)
      .scene("next.bmp", bmp_file(solid_image(size.width, size.height, 0x204060)))
      .display_time(60000)
      .build();
}

// The show's first frame as the software renderer draws it.
PixelImage first_frame(const ShowPackage& package) {
  ShowOptions options;
  options.screen = kPrimary;
  options.inputs = {{100, InputKind::Key, {}}};
  ShowRun run(package, options);
  run.run();
  EXPECT_FALSE(run.frames().empty());
  return run.frames().empty() ? PixelImage{} : run.frames().front();
}

// `image` with each pixel repeated `factor` times across and down.
PixelImage blocks(const PixelImage& image, int factor) {
  PixelImage result{image.width * factor, image.height * factor, {}};
  for (int y = 0; y < result.height; ++y) {
    for (int x = 0; x < result.width; ++x) {
      result.pixels.push_back(pixel(image, x / factor, y / factor));
    }
  }
  return result;
}

PixelImage crop(const PixelImage& screen, Rect area) {
  PixelImage part{area.width, area.height, {}};
  for (int y = area.top; y < area.top + area.height; ++y) {
    for (int x = area.left; x < area.left + area.width; ++x) {
      part.pixels.push_back(pixel(screen, x, y));
    }
  }
  return part;
}

// How many pixels of `monitor` outside `picture` are not black.
int lit_pixels_around(const PixelImage& screen, Rect monitor, Rect picture) {
  int lit = 0;
  for (int y = monitor.top; y < monitor.top + monitor.height; ++y) {
    for (int x = monitor.left; x < monitor.left + monitor.width; ++x) {
      const bool inside = x >= picture.left && x < picture.left + picture.width &&
                          y >= picture.top && y < picture.top + picture.height;
      if (!inside && pixel(screen, x, y) != kBlack) ++lit;
    }
  }
  return lit;
}

class WineDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto folder = WineSession::windows_build_folder("x86_64");
    ASSERT_TRUE(folder) << "SHOWSAVER_WINDOWS_BUILD_DIRS names no ...-x86_64 build folder";
    player_ = *folder + "/showsaver.scr";
    probe_ = *folder + "/window_probe.exe";
    for (const std::string& program : {player_, probe_}) {
      ASSERT_TRUE(std::filesystem::exists(program)) << program << ": make windows";
    }
    wine_ = WineSession::get();
    ASSERT_NE(wine_, nullptr);
    std::filesystem::remove_all(temp_folder());
  }

  std::string temp_folder() const { return wine_->windows_folder() + "/temp1"; }

  // The display's DPI for the programs started from now on.
  void set_dpi(int dpi) {
    const WineRun run = wine_->run("reg",
                                   {"add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t",
                                    "REG_DWORD", "/d", std::to_string(dpi), "/f"},
                                   seconds(60));
    ASSERT_EQ(run.status, 0) << run.output;
  }

  // Starts the show with the cursor in the middle of the primary monitor.
  WineProcess start_show(const ShowPackage& package) {
    const std::string show =
        install_windows_show(player_, wine_->work_folder() + "/show.scr", package);
    EXPECT_TRUE(wine_->move_mouse(kPrimary.width / 2, kPrimary.height / 2));
    return wine_->start(show, {"/s"});
  }

  // Screenshots until `area` shows `expected`; the last screenshot.
  std::optional<PixelImage> wait_for_picture(const PixelImage& expected, Rect area) {
    const auto end = std::chrono::steady_clock::now() + seconds(60);
    std::optional<PixelImage> screen;
    while (std::chrono::steady_clock::now() < end) {
      screen = wine_->screenshot();
      if (screen && screen->width == kPrimary.width + kSecond.width &&
          screen->height == kPrimary.height && crop(*screen, area) == expected) {
        break;
      }
    }
    return screen;
  }

  std::string player_;
  std::string probe_;
  WineSession* wine_ = nullptr;
};

TEST_F(WineDesktopTest, EveryMonitorIsBlackAndThePictureShowsOnThePrimaryOneAtItsScale) {
  const struct {
    const char* name;
    int dpi;
    Size picture;
    Size shown;
  } cases[] = {
      {"100 %: pixel for pixel", 96, {160, 120}, {160, 120}},
      {"100 %, a show larger than the monitor: shrunk to fit", 96, {1000, 500}, {800, 400}},
      {"200 %: each pixel a 2 x 2 block", 192, {160, 120}, {320, 240}},
      {"200 %, larger than the monitor then: shrunk to fit", 192, {480, 360}, {800, 600}},
  };
  const Rect primary{0, 0, kPrimary.width, kPrimary.height};
  const Rect second{kPrimary.width, 0, kSecond.width, kSecond.height};
  int dpi = 96;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.dpi != dpi) {
      ASSERT_NO_FATAL_FAILURE(set_dpi(c.dpi));
      dpi = c.dpi;
    }
    const ShowPackage package = held_show(c.picture);
    const PixelImage frame = first_frame(package);
    const PixelImage expected =
        c.shown.width % c.picture.width == 0
            ? blocks(frame, c.shown.width / c.picture.width)
            : scaled_picture({frame.pixels.data(), frame.width, frame.height,
                              static_cast<std::size_t>(frame.width)},
                             c.shown);
    const Rect area = centred_area(kPrimary, c.shown);

    const WineProcess process = start_show(package);
    const auto screen = wait_for_picture(expected, area);
    ASSERT_TRUE(screen) << "no screenshot";
    ASSERT_EQ(screen->width, kPrimary.width + kSecond.width);
    ASSERT_EQ(screen->height, kPrimary.height);
    EXPECT_TRUE(crop(*screen, area) == expected)
        << "the picture is not at " << area.left << ", " << area.top << ", " << area.width << " x "
        << area.height << "\n"
        << wine_->wait(process, seconds(0)).output;
    EXPECT_EQ(lit_pixels_around(*screen, primary, area), 0) << "of the primary monitor";
    EXPECT_EQ(lit_pixels_around(*screen, second, {}), 0) << "of the second monitor";

    ASSERT_TRUE(wine_->move_mouse(second.left + second.width / 2, second.height / 2));
    const WineRun run = wine_->wait(process, seconds(20));
    EXPECT_EQ(run.status, 0) << "a mouse move on the second monitor did not end the show\n"
                             << run.output;
    EXPECT_FALSE(std::filesystem::exists(temp_folder()));
  }
  if (dpi != 96) set_dpi(96);
}

TEST_F(WineDesktopTest, AnotherProgramTakingTheForegroundEndsTheShow) {
  const ShowPackage package = held_show({160, 120});
  const PixelImage frame = first_frame(package);
  const WineProcess process = start_show(package);
  ASSERT_TRUE(wait_for_picture(frame, centred_area(kPrimary, {160, 120})));
  const WineProcess probe = wine_->start(probe_, {"foreground"});
  const WineRun run = wine_->wait(process, seconds(20));
  EXPECT_EQ(run.status, 0) << "the show did not end\n" << run.output;
  EXPECT_FALSE(std::filesystem::exists(temp_folder()));
  const WineRun probed = wine_->wait(probe, seconds(60));
  EXPECT_NE(probed.output.find("foreground 1 1"), std::string::npos) << probed.output;
  EXPECT_NE(probed.output.find("ended 1 0"), std::string::npos) << probed.output;
}

}  // namespace
}  // namespace showsaver::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  showsaver::test::WineSession::use_monitors({showsaver::test::kPrimary, showsaver::test::kSecond});
  return RUN_ALL_TESTS();
}
