// The settings dialog's design, which every desktop draws: its controls,
// their texts (player_texts.h) and where each control lies.  Positions are in twips
// (1/1440 inch), the units it was designed in; each desktop converts them to
// its own (GTK to pixels at the display's resolution, Windows to dialog
// units).  A desktop without widgets shows the same texts in a sequence of
// button boxes.
#pragma once

#include <array>

#include "platform/geometry.h"
#include "platform/player_texts.h"

namespace showsaver {

// The controls' numbers in the Windows dialog, which finds its controls by
// number.  The two buttons have the numbers Windows gives Enter and Esc in a
// dialog (IDOK and IDCANCEL).
inline constexpr int kOkButtonId = 1;
inline constexpr int kCancelButtonId = 2;
inline constexpr int kMusicOnId = 201;
inline constexpr int kMusicOffId = 202;
inline constexpr int kSoundsOnId = 203;
inline constexpr int kSoundsOffId = 204;
inline constexpr int kMusicGroupId = 205;
inline constexpr int kSoundsGroupId = 206;

enum class ControlKind { GroupBox, RadioButton, Button };

struct DesignControl {
  ControlKind kind;
  const char* text;
  // Which one of its kind.  Group boxes: 0 music, 1 sounds.  Radio buttons:
  // 0-3 (music on, music off, sounds on, sounds off).  Buttons: 0 OK, 1 Cancel.
  int index;
  // -1: the dialog itself; otherwise the index of the group box holding it.
  int container;
  // Relative to the container.
  Rect twips;
  int id;
};

// The dialog's client area.
inline constexpr Size kSettingsClientTwips{4455, 2070};

// In tab order.  Each group box is followed by its radio buttons; the OK
// button is the default one.
inline constexpr std::array<DesignControl, 8> kSettingsControls{{
    {ControlKind::GroupBox, kMusicGroupText, 0, -1, {120, 120, 2535, 855}, kMusicGroupId},
    {ControlKind::RadioButton, kOnText, 0, 0, {240, 360, 855, 255}, kMusicOnId},
    {ControlKind::RadioButton, kOffText, 1, 0, {1320, 360, 855, 255}, kMusicOffId},
    {ControlKind::GroupBox, kSoundsGroupText, 1, -1, {120, 1080, 2535, 855}, kSoundsGroupId},
    {ControlKind::RadioButton, kOnText, 2, 1, {240, 360, 855, 255}, kSoundsOnId},
    {ControlKind::RadioButton, kOffText, 3, 1, {1320, 360, 855, 255}, kSoundsOffId},
    {ControlKind::Button, kOkText, 0, -1, {2880, 240, 1455, 330}, kOkButtonId},
    {ControlKind::Button, kCancelText, 1, -1, {2880, 630, 1455, 330}, kCancelButtonId},
}};

// Where `control` lies in the dialog's client area, in twips: its
// container's offset added.
constexpr Rect twips_in_dialog(const DesignControl& control) {
  Rect twips = control.twips;
  for (const DesignControl& group : kSettingsControls) {
    if (group.kind == ControlKind::GroupBox && group.index == control.container) {
      twips.left += group.twips.left;
      twips.top += group.twips.top;
    }
  }
  return twips;
}

}  // namespace showsaver
