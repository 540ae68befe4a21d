#include <gtest/gtest.h>

#include "platform/x11/x11_pixel_format.h"

namespace showsaver {
namespace {

struct FormatCase {
  const char* name;
  ChannelMasks masks;
  std::uint32_t rgb;
  std::uint32_t pixel;
};

class NativePixelTest : public testing::TestWithParam<FormatCase> {};

TEST_P(NativePixelTest, ChannelsGoWhereTheVisualWantsThem) {
  EXPECT_EQ(native_pixel(GetParam().rgb, GetParam().masks), GetParam().pixel);
}

INSTANTIATE_TEST_SUITE_P(
    Visuals, NativePixelTest,
    testing::Values(FormatCase{"Rgb888", {0xFF0000, 0xFF00, 0xFF}, 0x123456, 0x123456},
                    FormatCase{"Bgr888", {0xFF, 0xFF00, 0xFF0000}, 0x123456, 0x563412},
                    FormatCase{"Rgb565White", {0xF800, 0x07E0, 0x001F}, 0xFFFFFF, 0xFFFF},
                    FormatCase{"Rgb565", {0xF800, 0x07E0, 0x001F}, 0x8040C0, 0x8218},
                    FormatCase{"Rgb101010", {0x3FF00000, 0xFFC00, 0x3FF}, 0x0000FF, 0x3FC}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(NativePixelTest, OnlyTheShowsOwnLayoutCopiesRowsAsTheyAre) {
  EXPECT_TRUE(is_show_layout({0xFF0000, 0xFF00, 0xFF}));
  EXPECT_FALSE(is_show_layout({0xFF, 0xFF00, 0xFF0000}));
}

}  // namespace
}  // namespace showsaver
