// The settings dialog's design: its client area and its controls in twips
// (1/1440 inch), each relative to its container, in tab order.  GTK lays the
// dialog out from this table at the display's resolution.
#pragma once

#include <array>

namespace showsaver {

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

enum class ControlKind { Frame, Option, Command };

struct DesignControl {
  ControlKind kind;
  const char* caption;
  // Frames: 0 "BGM", 1 "Sound".  Options: 0-3 (music on, music off, sounds
  // on, sounds off).  Commands: 0 "OK", 1 "キャンセル".
  int index;
  // -1: the dialog itself; otherwise the index of the frame holding it.
  int container;
  Box twips;
};

inline constexpr Box kSettingsClientTwips{0, 0, 4455, 2070};

inline constexpr std::array<DesignControl, 8> kSettingsControls{{
    {ControlKind::Frame, "BGM", 0, -1, {120, 120, 2535, 855}},
    {ControlKind::Option, "ON", 0, 0, {240, 360, 855, 255}},
    {ControlKind::Option, "OFF", 1, 0, {1320, 360, 855, 255}},
    {ControlKind::Frame, "Sound", 1, -1, {120, 1080, 2535, 855}},
    {ControlKind::Option, "ON", 2, 1, {240, 360, 855, 255}},
    {ControlKind::Option, "OFF", 3, 1, {1320, 360, 855, 255}},
    {ControlKind::Command, "OK", 0, -1, {2880, 240, 1455, 330}},
    {ControlKind::Command, "キャンセル", 1, -1, {2880, 630, 1455, 330}},
}};

// Where `control` lies in the dialog's client area, in pixels at `dpi` dots
// per inch: its container's offset added, each value rounded on its own.
Box placement_in_pixels(const DesignControl& control, double dpi);
// A box in twips as pixels at `dpi`, each value rounded on its own.
Box twips_to_pixels(const Box& twips, double dpi);

}  // namespace showsaver
