#include "platform/gtk/settings_layout.h"

#include <gtest/gtest.h>

namespace showsaver {
namespace {

const DesignControl& control(ControlKind kind, int index) {
  for (const DesignControl& each : kSettingsControls) {
    if (each.kind == kind && each.index == index) return each;
  }
  throw std::out_of_range("no such control");
}

TEST(SettingsLayoutTest, ControlsLandInTheDialogAtTheDisplaysResolution) {
  // 96 dpi: 15 twips a pixel.  Options sit inside their frame.
  EXPECT_EQ(twips_to_pixels(kSettingsClientTwips, 96), (Box{0, 0, 297, 138}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::Frame, 1), 96), (Box{8, 72, 169, 57}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::Option, 0), 96), (Box{24, 32, 57, 17}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::Option, 3), 96), (Box{96, 96, 57, 17}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::Command, 1), 96), (Box{192, 42, 97, 22}));
  // 120 dpi: 12 twips a pixel, each value rounded on its own.
  EXPECT_EQ(twips_to_pixels(kSettingsClientTwips, 120), (Box{0, 0, 371, 173}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::Option, 2), 120), (Box{30, 120, 71, 21}));
}

}  // namespace
}  // namespace showsaver
