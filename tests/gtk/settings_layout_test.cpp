#include "platform/gtk/settings_layout.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace showsaver {
namespace {

const DesignControl& control(ControlKind kind, int index) {
  for (const DesignControl& each : kSettingsControls) {
    if (each.kind == kind && each.index == index) return each;
  }
  throw std::out_of_range("no such control");
}

TEST(SettingsLayoutTest, ControlsLandInTheDialogAtTheDisplaysResolution) {
  // 96 dpi: 15 twips a pixel.  Radio buttons sit inside their group box.
  EXPECT_EQ(twips_to_pixels(kSettingsClientTwips, 96), (Size{297, 138}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::GroupBox, 1), 96), (Rect{8, 72, 169, 57}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::RadioButton, 0), 96), (Rect{24, 32, 57, 17}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::RadioButton, 3), 96), (Rect{96, 96, 57, 17}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::Button, 1), 96), (Rect{192, 42, 97, 22}));
  // 120 dpi: 12 twips a pixel, each value rounded on its own.
  EXPECT_EQ(twips_to_pixels(kSettingsClientTwips, 120), (Size{371, 173}));
  EXPECT_EQ(placement_in_pixels(control(ControlKind::RadioButton, 2), 120),
            (Rect{30, 120, 71, 21}));
}

}  // namespace
}  // namespace showsaver
