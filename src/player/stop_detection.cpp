// Input handlers, the cursor and the end-of-show sequence with the password check.
#include "common/message_wait.h"
#include "player/form1.h"

namespace showsaver {
namespace {

// ShowCursor moves the display count by one per call; the bound only guards
// against a platform whose count never moves.
constexpr int kMaximumCursorCalls = 1 << 16;

}  // namespace

void Form1::key_down() { StopRequested = kStop; }

void Form1::mouse_down() { StopRequested = kStop; }

void Form1::mouse_move() {
  const Point position = platform_.desktop.GetCursorPos();
  if (position.x != StartCursorPos.x || position.y != StartCursorPos.y) StopRequested = kStop;
}

void Form1::hide_cursor() {
  for (int call = 0; call < kMaximumCursorCalls; ++call) {
    if (platform_.desktop.ShowCursor(false) < 0) return;
  }
}

void Form1::show_cursor() {
  for (int call = 0; call < kMaximumCursorCalls; ++call) {
    if (platform_.desktop.ShowCursor(true) >= 0) return;
  }
}

bool Form1::password_switch_on() {
  const auto value = platform_.host.screen_save_use_password();
  return value.has_value() && *value != 0;
}

bool Form1::end_of_show() {
  show_cursor();
  if (password_switch_on()) {
    const PasswordCheck check =
        platform_.host.VerifyScreenSavePwd(platform_.desktop.show_window_handle());
    if (check == PasswordCheck::WrongOrCancelled) {
      hide_cursor();
      return false;
    }
    if (check == PasswordCheck::Unavailable) {
      platform_.host.log("No screen-saver password check here; the system's lock is in charge.");
    }
  }
  platform_.desktop.set_screen_saver_running(false);
  music_.close();
  music_.stop_sounds();
  return true;
}

}  // namespace showsaver
