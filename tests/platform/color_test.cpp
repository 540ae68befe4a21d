// The two colour byte orders and the one way between them.
#include "platform/color.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace showsaver {
namespace {

// A COLORREF and a pixel must not stand in for each other, nor for a number.
static_assert(!std::is_convertible_v<ColorRef, Rgb32>);
static_assert(!std::is_convertible_v<Rgb32, ColorRef>);
static_assert(!std::is_convertible_v<std::uint32_t, ColorRef>);
static_assert(!std::is_convertible_v<std::uint32_t, Rgb32>);
static_assert(!std::is_convertible_v<ColorRef, std::uint32_t>);
static_assert(sizeof(ColorRef) == 4 && sizeof(Rgb32) == 4);

struct Conversion {
  ColorRef color;
  Rgb32 pixel;        // what the colour paints
  ColorRef returned;  // the colour of that pixel
};

const Conversion kConversions[] = {
    {rgb(0x12, 0x34, 0x56), Rgb32{0x00123456}, ColorRef{0x00563412}},
    {rgb(0xFF, 0, 0), Rgb32{0x00FF0000}, ColorRef{0x000000FF}},
    {rgb(0, 0, 0xFF), Rgb32{0x000000FF}, ColorRef{0x00FF0000}},
    {rgb(0x1FF, 0x180, 0x17F), Rgb32{0x00FF807F}, rgb(0xFF, 0x80, 0x7F)},  // one byte each
    // The top byte is not colour: it paints nothing and does not come back.
    {ColorRef{0xAB102030}, Rgb32{0x00302010}, ColorRef{0x00102030}},
    {CLR_INVALID, Rgb32{0x00FFFFFF}, ColorRef{0x00FFFFFF}},
};

TEST(Color, ConvertsBetweenTheByteOrders) {
  for (const Conversion& c : kConversions) {
    EXPECT_EQ(raw(to_pixel(c.color)), raw(c.pixel)) << std::hex << raw(c.color);
    EXPECT_EQ(raw(to_color_ref(c.pixel)), raw(c.returned)) << std::hex << raw(c.pixel);
  }
  // A pixel's top byte is dropped on the way to a colour as well.
  EXPECT_EQ(to_color_ref(Rgb32{0xFF123456}), rgb(0x12, 0x34, 0x56));
}

}  // namespace
}  // namespace showsaver
