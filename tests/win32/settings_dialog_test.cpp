// The settings dialog on Windows, opened for real: the caption, texts and
// places of its design, in dialog units of the font Windows picked, and its
// radio buttons and buttons wired to the SettingsDialog.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/settings_dialog_design.h"
#include "platform/win32/settings_dialog_template.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_settings_dialog.h"

// clang-format off
// Last: <windows.h> defines macros that clash with the seam's constants.
#include <windows.h>
// clang-format on

namespace showsaver::win32 {
namespace {

// The dialog's design converted as it was drawn: 22.5 twips a dialog unit,
// to the nearest unit.
std::int32_t design_units(std::int32_t twips) {
  return static_cast<std::int32_t>(std::lround(twips / 22.5));
}

TEST(SettingsDialogTemplate, TwipsBecomeDialogUnitsAt22Point5TwipsAUnit) {
  for (std::int32_t twips = 0; twips <= 10'000; ++twips) {
    ASSERT_EQ(twips_to_dialog_units(twips), design_units(twips)) << twips;
  }
  // Edges are rounded, not sizes: the two "ON" radio buttons, both 255 twips
  // high, are 12 and 11 units high.
  const struct {
    Rect twips;
    Rect units;
  } cases[] = {
      {{120, 120, 2535, 855}, {5, 5, 113, 38}},
      {{360, 480, 855, 255}, {16, 21, 38, 12}},
      {{360, 1440, 855, 255}, {16, 64, 38, 11}},
      {{2880, 630, 1455, 330}, {128, 28, 65, 15}},
  };
  for (const auto& c : cases) EXPECT_EQ(twips_to_dialog_units(c.twips), c.units);
}

class RecordingDialog final : public SettingsDialog {
 public:
  bool music_on() const override { return false; }
  bool sounds_on() const override { return true; }
  void choose_music(bool on) override { calls.push_back(on ? "music on" : "music off"); }
  void choose_sounds(bool on) override { calls.push_back(on ? "sounds on" : "sounds off"); }
  void accept() override { hide("accept"); }
  void cancel() override { hide("cancel"); }
  bool visible() const override { return visible_; }

  std::vector<std::string> calls;

 private:
  void hide(const char* call) {
    calls.push_back(call);
    visible_ = false;
  }
  bool visible_ = true;
};

std::wstring window_text(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// A place in dialog units as the dialog's client pixels.  Windows maps the
// origin and the size each on its own, as MapDialogRect maps every value.
Rect dialog_pixels(HWND dialog, const Rect& units) {
  RECT values{units.left, units.top, units.width, units.height};
  MapDialogRect(dialog, &values);
  return {values.left, values.top, values.right, values.bottom};
}

// The design's twips as the dialog was drawn in dialog units: edges rounded.
Rect design_units(const Rect& twips) {
  const std::int32_t left = design_units(twips.left);
  const std::int32_t top = design_units(twips.top);
  return {left, top, design_units(twips.left + twips.width) - left,
          design_units(twips.top + twips.height) - top};
}

Rect client_place(HWND dialog, HWND item) {
  RECT place;
  GetWindowRect(item, &place);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&place), 2);
  return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

LONG button_type(ControlKind kind) {
  switch (kind) {
    case ControlKind::GroupBox:
      return BS_GROUPBOX;
    case ControlKind::RadioButton:
      return BS_AUTORADIOBUTTON;
    case ControlKind::Button:
      return BS_PUSHBUTTON;
  }
  return -1;
}

void expect_design(HWND dialog) {
  EXPECT_EQ(window_text(dialog), to_wide(kSettingsCaption));
  RECT client;
  GetClientRect(dialog, &client);
  const Rect client_units{0, 0, design_units(kSettingsClientTwips.width),
                          design_units(kSettingsClientTwips.height)};
  EXPECT_EQ((Rect{0, 0, client.right, client.bottom}), dialog_pixels(dialog, client_units));
  for (const DesignControl& control : kSettingsControls) {
    const HWND item = GetDlgItem(dialog, control.id);
    ASSERT_NE(item, nullptr) << control.text;
    EXPECT_EQ(window_text(item), to_wide(control.text)) << control.id;
    LONG type = GetWindowLongW(item, GWL_STYLE) & BS_TYPEMASK;
    // Whichever button is the default one is a push button too.
    if (type == BS_DEFPUSHBUTTON) type = BS_PUSHBUTTON;
    EXPECT_EQ(type, button_type(control.kind)) << control.text;
    EXPECT_EQ(client_place(dialog, item),
              dialog_pixels(dialog, design_units(twips_in_dialog(control))))
        << control.text;
  }
}

// Tab goes from each group box's selected radio button to the buttons and round.
void expect_tab_order(HWND dialog) {
  const int order[] = {kMusicOffId, kSoundsOnId, kOkButtonId, kCancelButtonId, kMusicOffId};
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, order[0]));
  for (std::size_t stop = 1; stop < std::size(order); ++stop) {
    const HWND from = GetDlgItem(dialog, order[stop - 1]);
    EXPECT_EQ(GetNextDlgTabItem(dialog, from, FALSE), GetDlgItem(dialog, order[stop]))
        << "after " << order[stop - 1];
  }
}

BOOL CALLBACK keep_if_dialog(HWND window, LPARAM found) {
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, 16);
  if (std::wstring(class_name) != L"#32770") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND dialog_of_this_thread() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), keep_if_dialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs in the dialog's own message loop, once the dialog is up.
void CALLBACK inspect_open_dialog(HWND timer_window, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = dialog_of_this_thread();
  if (dialog == nullptr) return;
  KillTimer(timer_window, timer);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kMusicOffId), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kSoundsOnId), BST_CHECKED);
  expect_design(dialog);
  expect_tab_order(dialog);
  SendDlgItemMessageW(dialog, kSoundsOffId, BM_CLICK, 0, 0);
  SendDlgItemMessageW(dialog, kOkButtonId, BM_CLICK, 0, 0);
  // Whatever failed above, the dialog must not stay open.
  if (IsWindow(dialog) && IsWindowVisible(dialog)) {
    ADD_FAILURE() << "OK left the dialog open";
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  }
}

TEST(SettingsDialogWindow, HasTheDesignsControlsAndForwardsTheirClicks) {
  Win32Desktop desktop;
  RecordingDialog dialog;
  const HWND timer_window =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(timer_window, nullptr);
  ASSERT_NE(SetTimer(timer_window, 1, 10, inspect_open_dialog), 0u);
  desktop.show_settings_dialog(dialog, 0);
  DestroyWindow(timer_window);
  EXPECT_EQ(dialog.calls, (std::vector<std::string>{"sounds off", "accept"}));
}

// What the dialog looked like to its owner while it was open.
struct OwnedDialogView {
  HWND owner = nullptr;
  HWND dialog_owner = nullptr;
  bool owner_enabled = true;
  POINT centre_offset{-1000, -1000};
  bool found_by_a_second_copy = false;
};
OwnedDialogView* owned_view = nullptr;

POINT centre(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

void CALLBACK inspect_owned_dialog(HWND timer_window, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = dialog_of_this_thread();
  if (dialog == nullptr) return;
  KillTimer(timer_window, timer);
  OwnedDialogView& view = *owned_view;
  view.dialog_owner = GetWindow(dialog, GW_OWNER);
  view.owner_enabled = IsWindowEnabled(view.owner) != FALSE;
  const POINT dialog_centre = centre(dialog);
  const POINT owner_centre = centre(view.owner);
  view.centre_offset = {dialog_centre.x - owner_centre.x, dialog_centre.y - owner_centre.y};
  view.found_by_a_second_copy = bring_open_settings_dialog_forward();
  SendDlgItemMessageW(dialog, kCancelButtonId, BM_CLICK, 0, 0);
}

TEST(SettingsDialogWindow, BelongsToItsOwnerWhichWaitsDisabledAndIsCentredOverIt) {
  Win32Desktop desktop;
  RecordingDialog dialog;
  OwnedDialogView view;
  view.owner = CreateWindowExW(0, L"STATIC", L"control panel", WS_POPUP | WS_VISIBLE, 40, 60, 500,
                               400, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(view.owner, nullptr);
  owned_view = &view;
  const HWND timer_window =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(SetTimer(timer_window, 1, 10, inspect_owned_dialog), 0u);
  desktop.show_settings_dialog(dialog, reinterpret_cast<WindowHandle>(view.owner));
  DestroyWindow(timer_window);
  owned_view = nullptr;

  EXPECT_EQ(dialog.calls, std::vector<std::string>{"cancel"});
  EXPECT_EQ(view.dialog_owner, view.owner);
  EXPECT_FALSE(view.owner_enabled);
  EXPECT_LE(std::abs(view.centre_offset.x), 1);
  EXPECT_LE(std::abs(view.centre_offset.y), 1);
  EXPECT_TRUE(view.found_by_a_second_copy) << "the open dialog carries this program's mark";
  EXPECT_NE(IsWindowEnabled(view.owner), FALSE) << "enabled again once the dialog is gone";
  DestroyWindow(view.owner);
}

}  // namespace
}  // namespace showsaver::win32
