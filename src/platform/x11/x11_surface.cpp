#include "platform/x11/x11_surface.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/picture_placement.h"

namespace showsaver {
namespace {

// Errors from the server are expected (the owner may destroy the window
// while the show still draws): they are noted, never fatal.
int last_error_code = 0;

int note_error(Display*, XErrorEvent* error) {
  last_error_code = error->error_code;
  return 0;
}

constexpr long kWatchedEvents = ExposureMask | StructureNotifyMask;

}  // namespace

std::unique_ptr<X11Surface> X11Surface::open(std::uint64_t window, std::string& error) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    error = "Cannot open the display \"" + std::string(XDisplayName(nullptr)) + "\"";
    return nullptr;
  }
  XSetErrorHandler(note_error);
  const Window target = window != 0 ? static_cast<Window>(window) : DefaultRootWindow(display);
  std::unique_ptr<X11Surface> surface(new X11Surface(display, target));
  if (surface->visual_ == nullptr) {
    char id[32];
    std::snprintf(id, sizeof id, "0x%llx", static_cast<unsigned long long>(window));
    error = std::string("No window ") + id + " on the display";
    return nullptr;
  }
  return surface;
}

X11Surface::X11Surface(Display* display, Window window) : display_(display), window_(window) {
  XWindowAttributes attributes;
  last_error_code = 0;
  if (XGetWindowAttributes(display_, window_, &attributes) == 0 || last_error_code != 0) return;
  visual_ = attributes.visual;
  depth_ = attributes.depth;
  masks_ = {static_cast<std::uint32_t>(visual_->red_mask),
            static_cast<std::uint32_t>(visual_->green_mask),
            static_cast<std::uint32_t>(visual_->blue_mask)};
  size_ = {attributes.width, attributes.height};
  gc_ = XCreateGC(display_, window_, 0, nullptr);
  XSetForeground(display_, gc_, BlackPixel(display_, XScreenNumberOfScreen(attributes.screen)));
  shared_memory_usable_ = XShmQueryExtension(display_) == True;
}

X11Surface::~X11Surface() {
  release_frame_buffer();
  if (gc_ != nullptr) XFreeGC(display_, gc_);
  XCloseDisplay(display_);
}

int X11Surface::connection_fd() const {
  return ConnectionNumber(display_);
}

void X11Surface::watch() {
  XSelectInput(display_, window_, kWatchedEvents);
  XFlush(display_);
}

void X11Surface::unwatch() {
  XSelectInput(display_, window_, NoEventMask);
  XFlush(display_);
}

bool X11Surface::event_pending() {
  return XPending(display_) > 0;
}

X11Surface::Changes X11Surface::take_events() {
  Changes changes;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.xany.window != window_) continue;
    switch (event.type) {
      case Expose:
        changes.exposed = true;
        break;
      case ConfigureNotify:
        if (event.xconfigure.width != size_.width || event.xconfigure.height != size_.height) {
          size_ = {event.xconfigure.width, event.xconfigure.height};
          changes.resized = true;
        }
        break;
      case DestroyNotify:
        changes.destroyed = true;
        break;
      default:
        break;
    }
  }
  return changes;
}

bool X11Surface::make_shared_buffer(Size size) {
  frame_ =
      XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr, &shared_,
                      static_cast<unsigned>(size.width), static_cast<unsigned>(size.height));
  if (frame_ == nullptr) return false;
  shared_.shmid =
      shmget(IPC_PRIVATE, static_cast<std::size_t>(frame_->bytes_per_line) * size.height,
             IPC_CREAT | 0600);
  if (shared_.shmid >= 0) {
    void* address = shmat(shared_.shmid, nullptr, 0);
    shared_.shmaddr =
        address == reinterpret_cast<void*>(-1) ? nullptr : static_cast<char*>(address);
  }
  bool attached = false;
  if (shared_.shmaddr != nullptr) {
    frame_->data = shared_.shmaddr;
    shared_.readOnly = False;
    last_error_code = 0;
    // A server on another machine cannot attach; it answers with an error.
    attached =
        XShmAttach(display_, &shared_) == True && (XSync(display_, False), last_error_code == 0);
  }
  // Removed as soon as both sides have it mapped, so it cannot outlive them.
  if (shared_.shmid >= 0) shmctl(shared_.shmid, IPC_RMID, nullptr);
  if (!attached) {
    if (shared_.shmaddr != nullptr) shmdt(shared_.shmaddr);
    frame_->data = nullptr;
    XDestroyImage(frame_);
    frame_ = nullptr;
    shared_ = {};
    shared_memory_usable_ = false;
    return false;
  }
  frame_is_shared_ = true;
  return true;
}

bool X11Surface::make_frame_buffer(Size size) {
  if (frame_ != nullptr && frame_->width == size.width && frame_->height == size.height) {
    return true;
  }
  release_frame_buffer();
  if (shared_memory_usable_ && make_shared_buffer(size)) return true;
  frame_ =
      XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                   static_cast<unsigned>(size.width), static_cast<unsigned>(size.height), 32, 0);
  if (frame_ == nullptr) return false;
  // XDestroyImage frees the data with free().
  frame_->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(frame_->bytes_per_line),
                                                static_cast<std::size_t>(size.height)));
  if (frame_->data == nullptr) {
    XDestroyImage(frame_);
    frame_ = nullptr;
    return false;
  }
  return true;
}

void X11Surface::release_frame_buffer() {
  if (frame_ == nullptr) return;
  if (frame_is_shared_) {
    XShmDetach(display_, &shared_);
    XSync(display_, False);
    shmdt(shared_.shmaddr);
    frame_->data = nullptr;
    shared_ = {};
    frame_is_shared_ = false;
  }
  XDestroyImage(frame_);
  frame_ = nullptr;
}

void X11Surface::show_frame(const PixelView& image, Point from, const Rect& shown) {
  if (empty(shown)) {
    drop_frame();
    repaint();
    return;
  }
  if (!make_frame_buffer({shown.width, shown.height})) return;
  frame_at_ = {shown.left, shown.top};
  // A visual of depth 24 ignores the top byte of a 32-bit pixel, so rows in
  // the show's layout copy as they are, whatever that byte holds.
  const bool copy_rows =
      is_show_layout(masks_) && depth_ == 24 && frame_->bits_per_pixel == 32 &&
      (frame_->byte_order == LSBFirst) == (std::endian::native == std::endian::little);
  for (int y = 0; y < shown.height; ++y) {
    const std::uint32_t* row = image.pixels + static_cast<std::size_t>(from.y + y) * image.stride +
                               static_cast<std::size_t>(from.x);
    if (copy_rows) {
      std::memcpy(frame_->data + static_cast<std::ptrdiff_t>(y) * frame_->bytes_per_line, row,
                  static_cast<std::size_t>(shown.width) * sizeof(std::uint32_t));
      continue;
    }
    for (int x = 0; x < shown.width; ++x) {
      XPutPixel(frame_, x, y, native_pixel(row[x], masks_));
    }
  }
  put_frame();
  XFlush(display_);
}

void X11Surface::put_frame() {
  if (frame_ == nullptr) return;
  if (frame_is_shared_) {
    XShmPutImage(display_, window_, gc_, frame_, 0, 0, frame_at_.x, frame_at_.y,
                 static_cast<unsigned>(frame_->width), static_cast<unsigned>(frame_->height),
                 False);
    // The next frame overwrites the shared buffer: the server must be done with this one.
    XSync(display_, False);
  } else {
    XPutImage(display_, window_, gc_, frame_, 0, 0, frame_at_.x, frame_at_.y,
              static_cast<unsigned>(frame_->width), static_cast<unsigned>(frame_->height));
  }
}

void X11Surface::drop_frame() {
  release_frame_buffer();
}

void X11Surface::repaint() {
  // Black in the bands around the frame (the whole window without one), so
  // the frame never flickers.
  const Rect frame =
      frame_ == nullptr ? Rect{} : Rect{frame_at_.x, frame_at_.y, frame_->width, frame_->height};
  for (const Rect& band : black_bands(frame, size_)) {
    if (empty(band)) continue;
    XFillRectangle(display_, window_, gc_, band.left, band.top, static_cast<unsigned>(band.width),
                   static_cast<unsigned>(band.height));
  }
  put_frame();
  XFlush(display_);
}

}  // namespace showsaver
