// The settings dialog's layout table holds together: every control inside
// the dialog, every radio button inside its group box, no control over
// another, and each control with a number of its own.
#include "platform/settings_dialog_design.h"

#include <gtest/gtest.h>

#include <set>

namespace showsaver {
namespace {

bool contains(const Rect& outer, const Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

bool holds(const DesignControl& group, const DesignControl& control) {
  return group.kind == ControlKind::GroupBox && control.container == group.index;
}

TEST(SettingsDialogDesignTest, ControlsLieInsideTheirContainersAndApart) {
  const Rect client{0, 0, kSettingsClientTwips.width, kSettingsClientTwips.height};
  std::set<int> ids;
  for (const DesignControl& control : kSettingsControls) {
    SCOPED_TRACE(control.id);
    EXPECT_TRUE(ids.insert(control.id).second) << "a number used twice";
    EXPECT_TRUE(contains(client, twips_in_dialog(control)));
    EXPECT_EQ(control.kind == ControlKind::RadioButton, control.container >= 0);
    int groups = 0;
    for (const DesignControl& other : kSettingsControls) {
      if (&other == &control) continue;
      if (holds(other, control)) {
        ++groups;
        EXPECT_TRUE(contains(other.twips, twips_in_dialog(control)));
      } else if (!holds(control, other)) {
        EXPECT_FALSE(overlap(twips_in_dialog(control), twips_in_dialog(other))) << other.id;
      }
    }
    EXPECT_EQ(groups, control.container >= 0 ? 1 : 0);
  }
}

}  // namespace
}  // namespace showsaver
