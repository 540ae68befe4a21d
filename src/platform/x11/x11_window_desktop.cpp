#include "platform/x11/x11_window_desktop.h"

#include <poll.h>

#include <algorithm>
#include <climits>
#include <iostream>

#include "platform/tick.h"
#include "platform/x11/x11_surface.h"

namespace showsaver {
namespace {

bool readable(int fd) {
  if (fd < 0) return false;
  pollfd request{fd, POLLIN, 0};
  return ::poll(&request, 1, 0) > 0 && (request.revents & POLLIN) != 0;
}

// The part of an image of `width` x `height` placed at `at` that lies inside
// a window of `window`'s size, in image coordinates.
Rect visible_part(Point at, int width, int height, Size window) {
  const std::int64_t left = std::max<std::int64_t>(0, -std::int64_t{at.x});
  const std::int64_t top = std::max<std::int64_t>(0, -std::int64_t{at.y});
  const std::int64_t right = std::min<std::int64_t>(width, std::int64_t{window.width} - at.x);
  const std::int64_t bottom = std::min<std::int64_t>(height, std::int64_t{window.height} - at.y);
  if (right <= left || bottom <= top) return {};
  return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
          static_cast<std::int32_t>(right - left), static_cast<std::int32_t>(bottom - top)};
}

}  // namespace

X11WindowDesktop::X11WindowDesktop(std::uint64_t window, Gdi& gdi, int end_request_fd)
    : picture_(gdi), end_request_fd_(end_request_fd), surface_(X11Surface::open(window, error_)) {}

X11WindowDesktop::~X11WindowDesktop() = default;

Size X11WindowDesktop::screen_size() {
  return surface_ != nullptr ? surface_->size() : Size{};
}

void X11WindowDesktop::create_show_window(Rect picture_area, InputSink& sink) {
  picture_area_ = picture_area;
  sink_ = &sink;
  picture_.clear();
  if (surface_ != nullptr) surface_->watch();
}

void X11WindowDesktop::show_window() {
  if (surface_ != nullptr) surface_->repaint();
}

WindowHandle X11WindowDesktop::show_window_handle() {
  return surface_ != nullptr ? static_cast<WindowHandle>(surface_->window_id()) : 0;
}

void X11WindowDesktop::destroy_show_window() {
  if (surface_ != nullptr) {
    surface_->unwatch();
    surface_->drop_frame();
  }
  picture_.clear();
  sink_ = nullptr;
}

Point X11WindowDesktop::picture_place() const {
  const Size window = surface_->size();
  return {window.width / 2 - picture_area_.width / 2, window.height / 2 - picture_area_.height / 2};
}

void X11WindowDesktop::place_frame() {
  const std::optional<PixelView> image = picture_.pixels();
  if (!image) {
    surface_->drop_frame();
    surface_->repaint();
    return;
  }
  const Point at = picture_place();
  const Rect visible = visible_part(at, image->width, image->height, surface_->size());
  surface_->show_frame(*image, visible, {at.x + visible.left, at.y + visible.top});
}

void X11WindowDesktop::refresh_picture_area(DcHandle source) {
  if (surface_ == nullptr || window_gone_) return;
  // The software GDI's pixels are copied once, straight into the image the
  // server takes; any other GDI's are read out first.
  if (!picture_.show(source)) return;
  place_frame();
}

void X11WindowDesktop::process_messages() {
  if (surface_ != nullptr && !window_gone_) {
    const X11Surface::Changes changes = surface_->take_events();
    if (changes.destroyed) window_gone_ = true;
    if (changes.resized && picture_.has_source() && !window_gone_) place_frame();
    if ((changes.exposed || changes.resized) && !window_gone_) surface_->repaint();
  }
  // Input never stops this show; only the end of the program or of its window does.
  if (sink_ != nullptr && (window_gone_ || end_requested())) sink_->key_down();
}

bool X11WindowDesktop::end_requested() const {
  return readable(end_request_fd_);
}

void X11WindowDesktop::wait_for_message_until(std::int32_t deadline) {
  for (;;) {
    const std::int32_t now = tick_count();
    if (!tick_not_after(now, deadline)) return;
    if (end_requested() || window_gone_) return;
    if (surface_ == nullptr) {
      pollfd request{end_request_fd_, POLLIN, 0};
      ::poll(&request, end_request_fd_ >= 0 ? 1 : 0,
             static_cast<int>(std::min<std::int64_t>(ticks_until_past(now, deadline), INT_MAX)));
      continue;
    }
    if (surface_->event_pending()) return;
    const auto timeout =
        static_cast<int>(std::min<std::int64_t>(ticks_until_past(now, deadline), INT_MAX));
    pollfd requests[2] = {{surface_->connection_fd(), POLLIN, 0}, {end_request_fd_, POLLIN, 0}};
    ::poll(requests, end_request_fd_ >= 0 ? 2 : 1, timeout);
  }
}

std::int32_t X11WindowDesktop::tick_count() {
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start_);
  // The counter wraps like GetTickCount's.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(elapsed.count()));
}

int X11WindowDesktop::show_cursor(bool show) {
  cursor_count_ += show ? 1 : -1;
  return cursor_count_;
}

void X11WindowDesktop::message_box(const std::string& text, const std::string& title, unsigned) {
  std::string line = text;
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::cerr << "showsaver: " << title << ": " << line << std::endl;
}

void X11WindowDesktop::show_settings_dialog(SettingsDialog&) {
  std::cerr << "showsaver: the settings dialog is not shown in the display mode." << std::endl;
}

}  // namespace showsaver
