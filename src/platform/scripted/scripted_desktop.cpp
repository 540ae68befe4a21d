#include "platform/scripted/scripted_desktop.h"

#include <algorithm>

#include "platform/deadline_wait.h"
#include "platform/picture_placement.h"

namespace showsaver {
namespace {

const char* input_name(InputKind kind) {
  switch (kind) {
    case InputKind::Key:
      return "key";
    case InputKind::MouseButton:
      return "mouse_button";
    case InputKind::MouseMove:
      return "mouse_move";
    case InputKind::DisplayOff:
      return "display_off";
    case InputKind::DisplayOn:
      return "display_on";
    case InputKind::HostWindowClosed:
      return "host_window_closed";
  }
  return "?";
}

}  // namespace

ScriptedDesktop::ScriptedDesktop(Gdi& gdi, VirtualClock& clock, EventLog& log)
    : gdi_(gdi), clock_(clock), log_(log) {}

void ScriptedDesktop::record(std::string kind, std::vector<JsonField> fields) {
  log_.add(clock_.now(), clock_.elapsed(), std::move(kind), std::move(fields));
}

void ScriptedDesktop::add_input(ScriptedInput input) {
  const auto later = std::upper_bound(
      inputs_.begin(), inputs_.end(), input.at_ms,
      [](std::int64_t at, const ScriptedInput& queued) { return at < queued.at_ms; });
  inputs_.insert(later, input);
}

void ScriptedDesktop::press_key_now() {
  add_input({clock_.elapsed(), InputKind::Key, {}});
}

bool ScriptedDesktop::input_due() const {
  return !inputs_.empty() && inputs_.front().at_ms <= clock_.elapsed();
}

void ScriptedDesktop::create_show_window(Rect picture_area, InputSink& sink) {
  sink_ = &sink;
  picture_area_ = picture_area;
  record("window_created",
         {json_number("left", picture_area.left), json_number("top", picture_area.top),
          json_number("width", picture_area.width), json_number("height", picture_area.height)});
}

void ScriptedDesktop::create_preview_window(WindowHandle host, Size picture, InputSink& sink) {
  sink_ = &sink;
  preview_host_ = host;
  end_.clear();
  const auto found = host_windows_.find(host);
  if (found == host_windows_.end()) {
    end_.request();
    return;
  }
  const Rect area = fitted_area(picture, found->second);
  picture_area_ = area;
  record("preview_window_created",
         {json_number("host", static_cast<long long>(host)), json_number("left", area.left),
          json_number("top", area.top), json_number("width", area.width),
          json_number("height", area.height)});
}

void ScriptedDesktop::show_window() {
  window_shown_ = true;
  record("window_shown");
  // The window system reports the cursor over a newly shown window.
  add_input({clock_.elapsed(), InputKind::MouseMove, cursor_});
}

void ScriptedDesktop::make_topmost() {
  record("topmost");
}

void ScriptedDesktop::destroy_show_window() {
  if (sink_ == nullptr) return;
  sink_ = nullptr;
  power_sink_ = nullptr;
  preview_host_ = 0;
  end_.clear();
  window_shown_ = false;
  record("window_destroyed");
}

void ScriptedDesktop::refresh_picture_area(DcHandle source) {
  record("refresh", {json_number("frame", refresh_count_)});
  ++refresh_count_;
  if (!refresh_observer_) return;
  if (const auto image = gdi_.ReadImage(source)) refresh_observer_(*image);
}

void ScriptedDesktop::process_messages() {
  ++messages_processed_;
  if (messages_observer_) messages_observer_();
  while (input_due()) {
    const ScriptedInput input = inputs_.front();
    inputs_.pop_front();
    if (input.kind == InputKind::MouseMove) cursor_ = input.position;
    if (input.kind == InputKind::HostWindowClosed) close_preview_host();
    record("input", {json_string("kind", input_name(input.kind)), json_number("x", cursor_.x),
                     json_number("y", cursor_.y)});
    if (sink_ == nullptr) continue;
    switch (input.kind) {
      case InputKind::Key:
        sink_->key_down();
        break;
      case InputKind::MouseButton:
        sink_->mouse_down();
        break;
      case InputKind::MouseMove:
        sink_->mouse_move();
        break;
      case InputKind::DisplayOff:
        if (power_sink_ != nullptr) power_sink_->fall_silent();
        break;
      case InputKind::DisplayOn:
        if (power_sink_ != nullptr) power_sink_->sound_again();
        break;
      case InputKind::HostWindowClosed:
        break;
    }
  }
  end_.report_to(sink_);
}

void ScriptedDesktop::close_preview_host() {
  if (preview_host_ == 0) return;
  host_windows_.erase(preview_host_);
  end_.request();
}

void ScriptedDesktop::wait_for_message_until(std::int32_t deadline) {
  // Time moves on to the deadline, or to the next scripted input when that
  // comes first.
  wait_until_deadline(
      deadline, [this] { return clock_.now(); },
      [this](int timeout) {
        if (input_due()) return true;
        std::int64_t step = timeout;
        if (!inputs_.empty()) step = std::min(step, inputs_.front().at_ms - clock_.elapsed());
        clock_.advance(step);
        return false;
      });
}

std::int32_t ScriptedDesktop::tick_count() {
  const std::int32_t tick = clock_.now();
  clock_.advance(tick_read_cost_);
  return tick;
}

int ScriptedDesktop::show_cursor(bool show) {
  cursor_count_ += show ? 1 : -1;
  record("cursor", {json_bool("show", show), json_number("count", cursor_count_)});
  return cursor_count_;
}

void ScriptedDesktop::message_box(const std::string& text, const std::string& title, unsigned style,
                                  WindowHandle owner) {
  message_boxes_.push_back({text, title, style, owner});
  record("message_box",
         {json_string("text", text), json_string("title", title), json_number("style", style),
          json_number("owner", static_cast<long long>(owner))});
}

void ScriptedDesktop::bring_settings_dialog_forward() {
  ++settings_dialogs_brought_forward_;
  record("settings_dialog_brought_forward");
}

void ScriptedDesktop::show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) {
  ++settings_dialogs_shown_;
  settings_dialog_owner_ = owner;
  record("settings_dialog_shown", {json_number("owner", static_cast<long long>(owner))});
  for (const DialogAction& action : dialog_actions_) {
    if (!dialog.visible()) break;
    switch (action.kind) {
      case DialogActionKind::ChooseMusic:
        dialog.choose_music(action.on);
        break;
      case DialogActionKind::ChooseSounds:
        dialog.choose_sounds(action.on);
        break;
      case DialogActionKind::PressOk:
      case DialogActionKind::PressEnter:
        dialog.accept();
        break;
      case DialogActionKind::PressCancel:
      case DialogActionKind::PressEscape:
        dialog.cancel();
        break;
      case DialogActionKind::CloseBox:
        return;
    }
  }
}

void ScriptedDesktop::set_screen_saver_running(bool running) {
  screen_saver_running_ = running;
  record("screen_saver_running", {json_bool("running", running)});
}

}  // namespace showsaver
