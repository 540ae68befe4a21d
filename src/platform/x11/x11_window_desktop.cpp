#include "platform/x11/x11_window_desktop.h"

#include <poll.h>

#include "platform/deadline_wait.h"
#include "platform/picture_placement.h"
#include "platform/posix/termination_signals.h"
#include "platform/x11/x11_surface.h"

namespace showsaver {

X11WindowDesktop::X11WindowDesktop(std::uint64_t window, const Gdi& gdi, int end_request_fd)
    : picture_(gdi),
      end_request_fd_(end_request_fd),
      end_([end_request_fd] { return end_requested(end_request_fd); }),
      surface_(X11Surface::open(window, error_)) {}

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

void X11WindowDesktop::place_frame() {
  const std::optional<PixelView> image = picture_.pixels();
  if (!image) {
    surface_->drop_frame();
    surface_->repaint();
    return;
  }
  // Centred in the window by the rule of the show's own placement on a
  // screen: the window's size is the show's screen size.
  const Size window = surface_->size();
  const Rect area = centred_area(window, {picture_area_.width, picture_area_.height});
  const PicturePlacement place =
      place_picture({area.left, area.top, image->width, image->height}, window);
  surface_->show_frame(*image, place.from, place.shown);
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
    if (changes.destroyed) {
      window_gone_ = true;
      end_.request();
    }
    if (changes.resized && picture_.has_source() && !window_gone_) place_frame();
    if ((changes.exposed || changes.resized) && !window_gone_) surface_->repaint();
  }
  // Input never stops this show; only the end of the program or of its window does.
  end_.report_to(sink_);
}

void X11WindowDesktop::wait_for_message_until(std::int32_t deadline) {
  wait_until_deadline(
      deadline, [this] { return tick_count(); },
      [this](int timeout) {
        if (end_.requested()) return true;
        if (surface_ != nullptr && surface_->event_pending()) return true;
        block_for_event(timeout);
        return false;
      });
}

void X11WindowDesktop::block_for_event(int timeout) {
  // Without a display only the end request can come.
  pollfd requests[2] = {{end_request_fd_, POLLIN, 0}, {-1, POLLIN, 0}};
  if (surface_ != nullptr) requests[1].fd = surface_->connection_fd();
  ::poll(requests, 2, timeout);
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

}  // namespace showsaver
