#include "platform/sdl/sdl_desktop.h"

#include <poll.h>

#include <algorithm>
#include <cstring>

#include "platform/deadline_wait.h"
#include "platform/picture_placement.h"
#include "platform/picture_scaling.h"
#include "platform/posix/termination_signals.h"

namespace showsaver {
namespace {

// Where a picture of `picture`'s size shows on a window of `window`'s size
// when the show placed it at `area`: there when it fits, else shrunk to fit,
// its aspect kept, and centred.
Rect presented_area(Rect area, Size picture, Size window) {
  const Size size = presented_size(picture, window);
  if (size == picture) return {area.left, area.top, picture.width, picture.height};
  return centred_area(window, size);
}

// Without a descriptor to watch beside the end request, SDL's own wait runs
// in slices this long, so a request to end is seen promptly.
constexpr int kEndRequestSliceMs = 50;

}  // namespace

SdlDesktop::SdlDesktop(const Gdi& gdi) : picture_(gdi), dialogs_(own_dialogs_) {}

SdlDesktop::SdlDesktop(const Gdi& gdi, Dialogs& dialogs, int end_request_fd)
    : picture_(gdi),
      dialogs_(dialogs),
      end_request_fd_(end_request_fd),
      end_([end_request_fd] { return end_requested(end_request_fd); }) {}

SdlDesktop::~SdlDesktop() {
  release_window();
}

Size SdlDesktop::screen_size() {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
  return {mode.w, mode.h};
}

void SdlDesktop::create_show_window(Rect picture_area, InputSink& sink) {
  release_window();
  // A screen saver must stay on screen while a dialog (the password check,
  // an error message) takes the focus.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // Every frame is drawn in software and shown unscaled: it goes straight
  // into the window's surface, which the display takes from shared memory.
  // Left to itself SDL would back that surface with an OpenGL texture (and
  // start OpenGL only to ask whether it is fast): an upload more per frame,
  // and where OpenGL runs in software (no GPU, Xvfb) a refresh costs some
  // fifty memcpys of the frame and the start a hundred megabytes.  The
  // environment's SDL_FRAMEBUFFER_ACCELERATION still chooses otherwise.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  windows_.create();
  if (Display* display = windows_.x11_display()) connection_fd_ = connection_descriptor(display);
  picture_area_ = picture_area;
  sink_ = &sink;
  end_.clear();
}

void SdlDesktop::show_window() {
  if (window() == nullptr) return;
  windows_.show();
  present();
}

void SdlDesktop::make_topmost() {
  windows_.make_topmost();
}

WindowHandle SdlDesktop::show_window_handle() {
  return window() != nullptr ? static_cast<WindowHandle>(SDL_GetWindowID(window())) : 0;
}

void SdlDesktop::destroy_show_window() {
  release_window();
  sink_ = nullptr;
}

void SdlDesktop::release_window() {
  windows_.destroy();
  picture_.clear();
  connection_fd_ = -1;
}

void SdlDesktop::refresh_picture_area(DcHandle source) {
  if (window() == nullptr) return;
  // The software GDI's pixels are copied once, straight into the window's
  // surface; a monochrome bitmap is read out as black and white first.
  if (!picture_.show(source)) return;
  present();
  first_frame_.frame_shown();
}

void SdlDesktop::present() {
  if (window() == nullptr) return;
  SDL_Surface* screen = SDL_GetWindowSurface(window());
  if (screen == nullptr) {
    SDL_Log("No surface for the show window: %s", SDL_GetError());
    return;
  }
  const std::optional<PixelView> image = picture_.pixels();
  const Size surface{screen->w, screen->h};
  const Size picture = image ? Size{image->width, image->height} : Size{};
  const Rect area = presented_area(picture_area_, picture, surface);
  // Only the part of the frame inside the window is drawn: an area that
  // fits the window in size may still lie partly off it.
  const PicturePlacement place = image ? place_picture(area, surface) : PicturePlacement{};
  for (const Rect& band : black_bands(place.shown, surface)) {
    if (empty(band)) continue;
    const SDL_Rect fill{band.left, band.top, band.width, band.height};
    SDL_FillRect(screen, &fill, 0);
  }
  if (!empty(place.shown)) {
    if (Size{area.width, area.height} == picture) {
      copy_rows(*image, place.from, place.shown, screen);
    } else {
      scale_into(*image, place.shown, screen);
    }
  }
  SDL_UpdateWindowSurface(window());
}

void SdlDesktop::scale_into(const PixelView& image, const Rect& shown, SDL_Surface* screen) {
  if (screen->format->format == SDL_PIXELFORMAT_RGB888) {
    // Straight into the surface, as the rows of a 1:1 frame go.
    auto* target = static_cast<std::uint8_t*>(screen->pixels) +
                   static_cast<std::ptrdiff_t>(shown.top) * screen->pitch +
                   static_cast<std::ptrdiff_t>(shown.left) * 4;
    scale_picture(image, {reinterpret_cast<std::uint32_t*>(target), shown.width, shown.height,
                          static_cast<std::size_t>(screen->pitch) / sizeof(std::uint32_t)});
    return;
  }
  const PixelImage scaled = scaled_picture(image, {shown.width, shown.height});
  copy_rows(
      {scaled.pixels.data(), scaled.width, scaled.height, static_cast<std::size_t>(scaled.width)},
      {0, 0}, shown, screen);
}

void SdlDesktop::copy_rows(const PixelView& image, Point from, const Rect& shown,
                           SDL_Surface* screen) {
  const std::uint32_t* rows = image.pixels + static_cast<std::size_t>(from.y) * image.stride +
                              static_cast<std::size_t>(from.x);
  if (screen->format->format == SDL_PIXELFORMAT_RGB888) {
    // A surface of the frame's own layout (X11's depth 24): the rows are
    // copied as they are, their top byte with them, which XRGB8888 ignores.
    // (SDL's blit between equal formats took a third longer per refresh.)
    auto* target = static_cast<std::uint8_t*>(screen->pixels) +
                   static_cast<std::ptrdiff_t>(shown.top) * screen->pitch +
                   static_cast<std::ptrdiff_t>(shown.left) * 4;
    for (int y = 0; y < shown.height; ++y) {
      std::memcpy(target + static_cast<std::ptrdiff_t>(y) * screen->pitch,
                  rows + static_cast<std::size_t>(y) * image.stride,
                  static_cast<std::size_t>(shown.width) * sizeof(std::uint32_t));
    }
    return;
  }
  // 0x??RRGGBB pixels as XRGB8888: the top byte is not alpha and must not blend.
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(rows), shown.width, shown.height, 32,
      static_cast<int>(image.stride * sizeof(std::uint32_t)), SDL_PIXELFORMAT_RGB888);
  if (picture == nullptr) return;
  SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
  SDL_Rect target{shown.left, shown.top, shown.width, shown.height};
  SDL_BlitSurface(picture, nullptr, screen, &target);
  SDL_FreeSurface(picture);
}

void SdlDesktop::process_messages() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) dispatch(event);
  // A close request or a request to end lasts: the show must stop even when
  // it arrives before the show has started listening.
  end_.report_to(sink_);
}

void SdlDesktop::dispatch(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      window_event(event.window);
      return;
    case SDL_QUIT:
      end_.request();
      return;
    case SDL_KEYDOWN:
      if (sink_ != nullptr) sink_->key_down();
      return;
    case SDL_MOUSEBUTTONDOWN:
      if (sink_ != nullptr) sink_->mouse_down();
      return;
    case SDL_MOUSEMOTION:
      if (sink_ != nullptr) sink_->mouse_move();
      return;
    default:
      return;
  }
}

void SdlDesktop::window_event(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
      if (windows_.is_primary(event.windowID)) {
        present();
      } else {
        windows_.repaint_black(event.windowID);
      }
      return;
    case SDL_WINDOWEVENT_CLOSE:
      end_.request();
      return;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // A key meant for the show would go to a window nobody sees.  The
      // focus moving between the show's own windows, or falling back after
      // one of its dialogs, is no reason to end.
      if (windows_.focus_held_elsewhere()) end_.request();
      return;
    default:
      return;
  }
}

void SdlDesktop::wait_for_message_until(std::int32_t deadline) {
  wait_until_deadline(
      deadline, [this] { return tick_count(); },
      [this](int timeout) {
        if (end_.requested()) return true;
        SDL_PumpEvents();
        if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE) return true;
        block_for_event(timeout);
        return false;
      });
}

void SdlDesktop::block_for_event(int timeout) {
  if (end_request_fd_ < 0) {
    // A null event leaves the message in the queue for process_messages.
    SDL_WaitEventTimeout(nullptr, timeout);
    return;
  }
  if (connection_fd_ < 0) {
    SDL_WaitEventTimeout(nullptr, std::min(timeout, kEndRequestSliceMs));
    return;
  }
  // SDL's pump has read everything the display sent, so what comes next
  // arrives on the connection.
  pollfd requests[2] = {{connection_fd_, POLLIN, 0}, {end_request_fd_, POLLIN, 0}};
  ::poll(requests, 2, timeout);
}

std::int32_t SdlDesktop::tick_count() {
  return static_cast<std::int32_t>(SDL_GetTicks());
}

int SdlDesktop::show_cursor(bool show) {
  cursor_count_ += show ? 1 : -1;
  SDL_ShowCursor(cursor_count_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return cursor_count_;
}

Point SdlDesktop::cursor_position() {
  // SDL's global state would keep the position of the last relative move.
  if (Display* display = windows_.x11_display()) return pointer_position(display);
  int x = 0;
  int y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  return {x, y};
}

void SdlDesktop::message_box(const std::string& text, const std::string& title, unsigned style,
                             WindowHandle owner) {
  dialogs_.message_box(text, title, style, owner != 0 ? owner : windows_.primary_x11_window());
  // The box covered part of the show window.
  present();
}

void SdlDesktop::show_settings_dialog(SettingsDialog& dialog, WindowHandle owner) {
  dialogs_.show_settings_dialog(dialog, owner);
}

void SdlDesktop::set_screen_saver_running(bool running) {
  if (running) {
    SDL_DisableScreenSaver();
  } else {
    SDL_EnableScreenSaver();
  }
}

}  // namespace showsaver
