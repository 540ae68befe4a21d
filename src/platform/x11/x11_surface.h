// A window of someone else (a screen locker's, or the root window) that the
// show draws into with plain Xlib: black around the picture area, the frames
// put with MIT-SHM when the server offers it.  A frame is copied once, from
// the GDI's own pixels where it offers them, into the image the server
// takes; in the layout of a depth-24 visual the rows go across with memcpy.  It listens to exposure
// and structure events only: input and grabs belong to the window's owner.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/x11/x11_pixel_format.h"

namespace showsaver {

class X11Surface {
 public:
  // Connects to the display of $DISPLAY and takes `window`, or the root
  // window when it is 0.  Null, with `error` set, when either is missing.
  static std::unique_ptr<X11Surface> open(std::uint64_t window, std::string& error);
  ~X11Surface();
  X11Surface(const X11Surface&) = delete;
  X11Surface& operator=(const X11Surface&) = delete;

  std::uint64_t window_id() const { return window_; }
  Size size() const { return size_; }
  // The display connection's descriptor, for waiting on it.
  int connection_fd() const;

  // Starts and stops listening to the window's exposure and structure events.
  void watch();
  void unwatch();

  struct Changes {
    bool exposed = false;
    bool resized = false;
    bool destroyed = false;
  };
  // Sends what is buffered and handles every event that has arrived.
  Changes take_events();
  // True when an event has arrived (after sending what is buffered).
  bool event_pending();

  // Keeps the part of `image` of `shown`'s size with its corner at `from` as
  // the frame shown at `shown` (window coordinates), and puts it on screen.
  // The top byte of the image's pixels is ignored.
  void show_frame(const PixelView& image, Point from, const Rect& shown);
  // Paints the window black outside the frame and puts the frame again.
  void repaint();
  // Forgets the frame; the window is black where it was after the next repaint.
  void drop_frame();

 private:
  X11Surface(Display* display, Window window);
  bool make_frame_buffer(Size size);
  bool make_shared_buffer(Size size);
  void release_frame_buffer();
  void put_frame();

  Display* display_;
  Window window_;
  GC gc_ = nullptr;
  Visual* visual_ = nullptr;
  int depth_ = 0;
  ChannelMasks masks_;
  Size size_;
  XImage* frame_ = nullptr;
  XShmSegmentInfo shared_{};
  bool frame_is_shared_ = false;
  bool shared_memory_usable_ = false;
  // Where the frame stands in the window.
  Point frame_at_;
};

}  // namespace showsaver
