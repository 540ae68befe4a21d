#include "platform/win32/settings_dialog_template.h"

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "platform/player_texts.h"
#include "platform/settings_dialog_design.h"
#include "platform/win32/wide_text.h"

namespace showsaver::win32 {
namespace {

// The font the dialog was designed with, asked for with the Japanese
// character set, so that a system without it picks another font that has the
// glyphs.
constexpr WORD kFontPoints = 9;
constexpr std::string_view kFontName = "MS UI Gothic";
constexpr DWORD kDialogStyle =
    DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
// The ordinal that names the predefined "Button" class in a template.
constexpr WORD kButtonClass = 0x0080;

using Words = std::vector<std::uint16_t>;

void add_word(Words& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint16_t>(value));
}

void add_dword(Words& out, std::uint32_t value) {
  add_word(out, value & 0xFFFF);
  add_word(out, value >> 16);
}

void add_text(Words& out, std::string_view utf8) {
  for (const wchar_t unit : to_wide(utf8)) add_word(out, unit);
  add_word(out, 0);
}

void add_rect(Words& out, const Rect& rect) {
  for (const std::int32_t value : {rect.left, rect.top, rect.width, rect.height}) {
    add_word(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
  }
}

void align_to_dword(Words& out) {
  if (out.size() % 2 != 0) add_word(out, 0);
}

// A group is a run of controls of one kind in one container: Tab moves from
// group to group, the arrow keys within one.
bool begins_group(std::size_t position) {
  if (position == 0) return true;
  const DesignControl& before = kSettingsControls[position - 1];
  const DesignControl& control = kSettingsControls[position];
  return before.kind != control.kind || before.container != control.container;
}

DWORD control_style(std::size_t position) {
  const DesignControl& control = kSettingsControls[position];
  const bool first = begins_group(position);
  const DWORD style = WS_CHILD | WS_VISIBLE | (first ? WS_GROUP : 0);
  switch (control.kind) {
    case ControlKind::GroupBox:
      return style | BS_GROUPBOX;
    case ControlKind::RadioButton:
      // Tab enters a group of radio buttons at its first, which the dialog
      // moves to the selected one.
      return style | BS_AUTORADIOBUTTON | (first ? WS_TABSTOP : 0);
    case ControlKind::Button:
      return style | WS_TABSTOP | (control.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  }
  return style;
}

void add_control(Words& out, std::size_t position) {
  const DesignControl& control = kSettingsControls[position];
  align_to_dword(out);
  add_dword(out, 0);  // help ID
  add_dword(out, 0);  // extended style
  add_dword(out, control_style(position));
  add_rect(out, twips_to_dialog_units(twips_in_dialog(control)));
  add_dword(out, static_cast<std::uint32_t>(control.id));
  add_word(out, 0xFFFF);  // the class by its ordinal
  add_word(out, kButtonClass);
  add_text(out, control.text);
  add_word(out, 0);  // no creation data
}

}  // namespace

// One dialog unit of "MS UI Gothic" 9 pt, whose base units at 96 DPI are
// 6 x 12 pixels, is 4/6 and 8/12 of a pixel, at 15 twips a pixel: 22.5 twips
// either way.
std::int32_t twips_to_dialog_units(std::int32_t twips) {
  return (twips * 2 + 22) / 45;
}

Rect twips_to_dialog_units(const Rect& twips) {
  const std::int32_t left = twips_to_dialog_units(twips.left);
  const std::int32_t top = twips_to_dialog_units(twips.top);
  return {left, top, twips_to_dialog_units(twips.left + twips.width) - left,
          twips_to_dialog_units(twips.top + twips.height) - top};
}

std::vector<std::uint16_t> settings_dialog_template() {
  Words out;
  add_word(out, 1);       // version
  add_word(out, 0xFFFF);  // the extended template
  add_dword(out, 0);      // help ID
  add_dword(out, 0);      // extended style
  add_dword(out, kDialogStyle);
  add_word(out, kSettingsControls.size());
  add_rect(out, {0, 0, twips_to_dialog_units(kSettingsClientTwips.width),
                 twips_to_dialog_units(kSettingsClientTwips.height)});
  add_word(out, 0);  // no menu
  add_word(out, 0);  // the dialog class
  add_text(out, kSettingsCaption);
  add_word(out, kFontPoints);
  add_word(out, FW_NORMAL);
  add_word(out, SHIFTJIS_CHARSET << 8);  // not italic; the character set
  add_text(out, kFontName);
  for (std::size_t position = 0; position < kSettingsControls.size(); ++position) {
    add_control(out, position);
  }
  return out;
}

}  // namespace showsaver::win32
