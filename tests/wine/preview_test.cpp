// The Windows player as the control panel's preview, under Wine:
// preview_host.exe (a helper of the Windows tree) makes a window of 152 x 112,
// starts the show with "/p <its handle>", captures the window, and destroys
// it.  The capture is the show's first frame as the shared scaler fits it in
// the window, black beside it; the show ran meanwhile, said nothing of a
// screen saver running, ended soon after its window went, and left no files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>

#include "formats/bmp/bmp_decoder.h"
#include "platform/picture_placement.h"
#include "platform/picture_scaling.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "wine_session.h"

namespace showsaver::test {
namespace {

constexpr Size kPicture{160, 120};
constexpr Size kHostClient{152, 112};

ShowPackage two_scene_show() {
  const PixelImage first =
      with_rectangle(with_rectangle(solid_image(kPicture.width, kPicture.height, 0x2060A0), 20, 30,
                                    50, 40, 0xF0D020),
                     100, 0, 60, 120, 0x20E0F0);
  return PackageBuilder(kPicture.width, kPicture.height)
      .scene("first.bmp", bmp_file(first))
      .display_time(60'000)
      .effect(5)
      .scene("second.bmp", bmp_file(solid_image(kPicture.width, kPicture.height, 0x802020)))
      .display_time(60'000)
      .build();
}

// What the window should show: the first frame the software renderer draws,
// scaled by the shared scaler into its fitted area, black around it.
PixelImage expected_capture(const ShowPackage& package) {
  ShowOptions options;
  options.key_after_transitions = 1;
  ShowRun run(package, options);
  run.run();
  const PixelImage& first = run.frames().front();
  const Rect area = fitted_area(kPicture, kHostClient);
  const PixelImage scaled = scaled_picture(
      {first.pixels.data(), first.width, first.height, static_cast<std::size_t>(first.width)},
      {area.width, area.height});
  return with_picture(solid_image(kHostClient.width, kHostClient.height, 0), scaled,
                      {area.left, area.top});
}

std::optional<PixelImage> read_bmp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const ByteVector bytes(std::istreambuf_iterator<char>(in), {});
  auto decoded = decode_bmp(bytes);
  if (auto* image = std::get_if<PixelImage>(&decoded)) return std::move(*image);
  return std::nullopt;
}

class PreviewTest : public ::testing::TestWithParam<const char*> {};

TEST_P(PreviewTest, PlaysScaledInTheHostsWindowAndEndsWithItLeavingNothing) {
  const auto folder = WineSession::windows_build_folder(GetParam());
  // The 64-bit host, as the control panel of 64-bit Windows is.
  const auto host_folder = WineSession::windows_build_folder("x86_64");
  ASSERT_TRUE(folder && host_folder) << "SHOWSAVER_WINDOWS_BUILD_DIRS names no Windows tree";
  const std::string player = *folder + "/showsaver.scr";
  const std::string host = *host_folder + "/preview_host.exe";
  for (const std::string& program : {player, host}) {
    ASSERT_TRUE(std::filesystem::exists(program)) << program << ": make windows";
  }
  WineSession* wine = WineSession::get();
  ASSERT_NE(wine, nullptr);
  const std::string work = wine->work_folder() + "/preview-" + GetParam();
  std::filesystem::create_directories(work);
  const std::string temp_folder = wine->windows_folder() + "/temp1";
  std::filesystem::remove_all(temp_folder);
  const ShowPackage package = two_scene_show();
  const std::string show = install_windows_show(player, work + "/show.scr", package);
  const std::string capture = work + "/capture.bmp";

  const WineRun run = wine->run(
      host, {WineSession::windows_path(show), WineSession::windows_path(capture)}, seconds(120));
  ASSERT_EQ(run.status, 0) << run.output;
  // The picture came while the show ran, with no screen-saver notice; the
  // show then ended by itself (status 0) within the host's 10 s.
  std::smatch ended;
  ASSERT_TRUE(std::regex_search(run.output, std::regex("picture \\d+\\s+running 1\\s+notice 0\\s+"
                                                       "written 1\\s+")))
      << run.output;
  ASSERT_TRUE(std::regex_search(run.output, ended, std::regex("ended 1 (\\d+) 0"))) << run.output;
  std::cout << "[ preview  ] " << GetParam() << ": ended " << ended[1] << " ms after its window\n";
  EXPECT_FALSE(std::filesystem::exists(temp_folder));

  const std::optional<PixelImage> shown = read_bmp(capture);
  ASSERT_TRUE(shown);
  const PixelImage expected = expected_capture(package);
  ASSERT_EQ(shown->width, expected.width);
  ASSERT_EQ(shown->height, expected.height);
  int differing = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      if (pixel(*shown, x, y) != pixel(expected, x, y) && differing++ < 5) {
        ADD_FAILURE() << "at " << x << "," << y << ": " << std::hex << pixel(*shown, x, y)
                      << " instead of " << pixel(expected, x, y);
      }
    }
  }
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Architectures, PreviewTest, ::testing::Values("i686", "x86_64"),
                         [](const auto& param_info) { return std::string(param_info.param); });

}  // namespace
}  // namespace showsaver::test
