// A desktop for tests and rendering: scripted input at virtual times, a
// virtual clock, and a record of every call the show makes.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/end_request.h"
#include "platform/gdi.h"
#include "platform/message_loop.h"
#include "platform/power_events.h"
#include "platform/scripted/event_log.h"
#include "platform/scripted/virtual_clock.h"
#include "platform/window_system.h"

namespace showsaver {

// Input for the show window's input sink, the power events its power sink
// hears (the display turned off, or the computer going to sleep, and on), and
// a preview's host window going away.
enum class InputKind { Key, MouseButton, MouseMove, DisplayOff, DisplayOn, HostWindowClosed };

struct ScriptedInput {
  std::int64_t at_ms = 0;  // milliseconds after the clock's start
  InputKind kind = InputKind::Key;
  Point position;  // where a mouse move goes
};

// What the settings dialog's user does, in order, once the dialog is shown.
enum class DialogActionKind {
  ChooseMusic,   // a click on the music group box's on or off radio button
  ChooseSounds,  // the same in the sounds group box
  PressOk,
  PressCancel,
  PressEnter,
  PressEscape,
  CloseBox
};
struct DialogAction {
  DialogActionKind kind = DialogActionKind::PressEnter;
  bool on = true;
};

struct RecordedMessageBox {
  std::string text;
  std::string title;
  unsigned style = 0;
  WindowHandle owner = 0;
};

// Every contract of a desktop, on the virtual clock.
class ScriptedDesktop final : public WindowSystem,
                              public MessageLoop,
                              public Dialogs,
                              public PowerEvents {
 public:
  ScriptedDesktop(Gdi& gdi, VirtualClock& clock, EventLog& log);

  // Script.
  void set_screen_size(Size size) { screen_ = size; }
  void set_cursor_position(Point position) { cursor_ = position; }
  // The cursor's display count at the start: 0 on a plain desktop, other
  // values where other programs have shown or hidden it.
  void set_cursor_count(int count) { cursor_count_ = count; }
  // A window of another program with a client area of `client`, which a
  // preview can play in until a HostWindowClosed input takes it away.
  void add_host_window(WindowHandle window, Size client) { host_windows_[window] = client; }
  void add_input(ScriptedInput input);
  // Delivers a key press at the current virtual time.
  void press_key_now();
  void set_dialog_actions(std::vector<DialogAction> actions) {
    dialog_actions_ = std::move(actions);
  }
  // Milliseconds every tick_count call costs (0: time moves only in waits).
  void set_tick_read_cost(std::int32_t milliseconds) { tick_read_cost_ = milliseconds; }
  // Called with every refreshed image of the picture area.
  void on_refresh(std::function<void(const PixelImage&)> observer) {
    refresh_observer_ = std::move(observer);
  }
  // Called at the start of every message processing, before the input that
  // is due is delivered: a watchdog may press a key here, or throw.
  void on_process_messages(std::function<void()> observer) {
    messages_observer_ = std::move(observer);
  }

  // Records.
  const std::vector<RecordedMessageBox>& message_boxes() const { return message_boxes_; }
  int refresh_count() const { return refresh_count_; }
  // How many times pending messages were processed.
  int messages_processed() const { return messages_processed_; }
  int cursor_count() const { return cursor_count_; }
  bool window_shown() const { return window_shown_; }
  std::optional<Rect> picture_area() const { return picture_area_; }
  bool screen_saver_running() const { return screen_saver_running_; }
  int settings_dialogs_shown() const { return settings_dialogs_shown_; }
  // The owner the last settings dialog was shown with.
  WindowHandle settings_dialog_owner() const { return settings_dialog_owner_; }
  int settings_dialogs_brought_forward() const { return settings_dialogs_brought_forward_; }

  // WindowSystem.
  Size screen_size() override { return screen_; }
  void create_show_window(Rect picture_area, InputSink& sink) override;
  bool window_exists(WindowHandle window) override { return host_windows_.contains(window); }
  // The picture area is where the host's client area shows the picture.
  void create_preview_window(WindowHandle host, Size picture, InputSink& sink) override;
  void show_window() override;
  void make_topmost() override;
  WindowHandle show_window_handle() override { return sink_ != nullptr ? 0x1F0 : 0; }
  void destroy_show_window() override;
  void refresh_picture_area(DcHandle source) override;
  int show_cursor(bool show) override;
  Point cursor_position() override { return cursor_; }
  void set_screen_saver_running(bool running) override;

  // MessageLoop.
  void process_messages() override;
  void wait_for_message_until(std::int32_t deadline) override;
  std::int32_t tick_count() override;

  // Dialogs.
  void message_box(const std::string& text, const std::string& title, unsigned style,
                   WindowHandle owner) override;
  void show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) override;
  void bring_settings_dialog_forward() override;

  // PowerEvents.
  void watch_power(PowerSink& sink) override { power_sink_ = &sink; }

 private:
  bool input_due() const;
  // The preview's host window goes, and with it the preview.
  void close_preview_host();
  void record(std::string kind, std::vector<JsonField> fields = {});

  Gdi& gdi_;
  VirtualClock& clock_;
  EventLog& log_;
  Size screen_{1024, 768};
  Point cursor_{512, 384};
  std::deque<ScriptedInput> inputs_;  // sorted by time
  std::vector<DialogAction> dialog_actions_;
  std::int32_t tick_read_cost_ = 0;
  std::function<void(const PixelImage&)> refresh_observer_;
  std::function<void()> messages_observer_;
  InputSink* sink_ = nullptr;
  PowerSink* power_sink_ = nullptr;
  std::map<WindowHandle, Size> host_windows_;
  WindowHandle preview_host_ = 0;
  // The preview's host window went away.
  EndRequest end_;
  std::optional<Rect> picture_area_;
  std::vector<RecordedMessageBox> message_boxes_;
  int refresh_count_ = 0;
  int messages_processed_ = 0;
  int cursor_count_ = 0;
  bool window_shown_ = false;
  bool screen_saver_running_ = false;
  int settings_dialogs_shown_ = 0;
  WindowHandle settings_dialog_owner_ = 0;
  int settings_dialogs_brought_forward_ = 0;
};

}  // namespace showsaver
