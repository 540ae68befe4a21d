#include "platform/sdl/sdl_desktop.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <cstring>

#include "platform/deadline_wait.h"
#include "platform/picture_placement.h"
#include "platform/posix/termination_signals.h"

namespace showsaver {
namespace {

SDL_Rect primary_display_bounds() {
  SDL_Rect bounds{0, 0, 0, 0};
  if (SDL_GetDisplayBounds(0, &bounds) != 0) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) bounds = {0, 0, mode.w, mode.h};
  }
  return bounds;
}

bool on_x11() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "x11") == 0;
}

// Asks the window manager to show the window full screen from the moment it
// is mapped, as a client does by its _NET_WM_STATE before mapping; without a
// window manager the window, made at the display's place and size, covers it
// anyway.
void ask_for_full_screen(Display* display, Window window) {
  const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom full_screen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  XChangeProperty(display, window, state, XA_ATOM, 32, PropModeAppend,
                  reinterpret_cast<const unsigned char*>(&full_screen), 1);
  XFlush(display);
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
  const SDL_Rect display = primary_display_bounds();
  // On X11 the window asks for full screen itself: SDL makes a window full
  // screen only once it is mapped, and then waits up to 100 ms for the window
  // manager to move or resize it, which never happens to a window made at
  // the display's place and size (nor without a window manager).
  const bool x11 = on_x11();
  window_ = SDL_CreateWindow("showsaver", display.x, display.y, display.w, display.h,
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR |
                                 (x11 ? Uint32{0} : Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP}));
  if (window_ == nullptr) {
    SDL_Log("No show window: %s", SDL_GetError());
  } else {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window_, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
      native_window_ = static_cast<NativeWindow>(info.info.x11.window);
      connection_fd_ = ConnectionNumber(info.info.x11.display);
      ask_for_full_screen(info.info.x11.display, info.info.x11.window);
    }
  }
  // The area comes in screen coordinates; the window starts at the display's corner.
  picture_area_ = {picture_area.left - display.x, picture_area.top - display.y, picture_area.width,
                   picture_area.height};
  sink_ = &sink;
  end_.clear();
}

void SdlDesktop::show_window() {
  if (window_ == nullptr) return;
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  present();
}

void SdlDesktop::make_topmost() {
  if (window_ != nullptr) SDL_SetWindowAlwaysOnTop(window_, SDL_TRUE);
}

WindowHandle SdlDesktop::show_window_handle() {
  return window_ != nullptr ? static_cast<WindowHandle>(SDL_GetWindowID(window_)) : 0;
}

void SdlDesktop::destroy_show_window() {
  release_window();
  sink_ = nullptr;
}

void SdlDesktop::release_window() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  picture_.clear();
  window_ = nullptr;
  native_window_ = 0;
  connection_fd_ = -1;
}

void SdlDesktop::refresh_picture_area(DcHandle source) {
  if (window_ == nullptr) return;
  // The software GDI's pixels are copied once, straight into the window's
  // surface; a monochrome bitmap is read out as black and white first.
  if (!picture_.show(source)) return;
  present();
  first_frame_.frame_shown();
}

void SdlDesktop::present() {
  if (window_ == nullptr) return;
  SDL_Surface* screen = SDL_GetWindowSurface(window_);
  if (screen == nullptr) {
    SDL_Log("No surface for the show window: %s", SDL_GetError());
    return;
  }
  const std::optional<PixelView> image = picture_.pixels();
  const Size window{screen->w, screen->h};
  // Only the part of the frame inside the window is drawn: the area may be
  // larger than the screen.
  const PicturePlacement place =
      image ? place_picture({picture_area_.left, picture_area_.top, image->width, image->height},
                            window)
            : PicturePlacement{};
  for (const Rect& band : black_bands(place.shown, window)) {
    if (empty(band)) continue;
    const SDL_Rect fill{band.left, band.top, band.width, band.height};
    SDL_FillRect(screen, &fill, 0);
  }
  if (!empty(place.shown)) copy_rows(*image, place.from, place.shown, screen);
  SDL_UpdateWindowSurface(window_);
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
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) present();
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) end_.request();
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
  int x = 0;
  int y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  return {x, y};
}

void SdlDesktop::message_box(const std::string& text, const std::string& title, unsigned style) {
  dialogs_.message_box(text, title, style, native_window_);
  // The box covered part of the show window.
  present();
}

void SdlDesktop::show_settings_dialog(SettingsDialog& dialog) {
  dialogs_.show_settings_dialog(dialog);
}

void SdlDesktop::set_screen_saver_running(bool running) {
  if (running) {
    SDL_DisableScreenSaver();
  } else {
    SDL_EnableScreenSaver();
  }
}

}  // namespace showsaver
