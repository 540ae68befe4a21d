#include "platform/gtk/settings_window_mark.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace showsaver {
namespace {

constexpr const char* kMarkProperty = "_SHOWSAVER_SETTINGS";
// How long a second copy waits for the first one's dialog to appear.
constexpr auto kFindTime = std::chrono::seconds(3);
// Top-level windows, and those a window manager puts in a frame.
constexpr int kSearchDepth = 2;

bool carries_mark(Display* display, Window window, Atom mark, const std::string& program) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* value = nullptr;
  const bool read = XGetWindowProperty(display, window, mark, 0, 1024, False, XA_STRING, &type,
                                       &format, &count, &remaining, &value) == Success;
  const bool same = read && value != nullptr && format == 8 && count == program.size() &&
                    std::memcmp(value, program.data(), count) == 0;
  if (value != nullptr) XFree(value);
  return same;
}

Window find_marked(Display* display, Window parent, Atom mark, const std::string& program,
                   int depth) {
  Window root = None;
  Window ignored = None;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, parent, &root, &ignored, &children, &count) == 0) return None;
  Window found = None;
  for (unsigned int i = 0; i < count && found == None; ++i) {
    if (carries_mark(display, children[i], mark, program)) {
      found = children[i];
    } else if (depth > 1) {
      found = find_marked(display, children[i], mark, program, depth - 1);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

// As a pager asks the window manager; without one, raised and focused directly.
void activate(Display* display, Window window) {
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  request.xclient.format = 32;
  request.xclient.data.l[0] = 2;  // from a pager: the user asked for it
  request.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XRaiseWindow(display, window);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XFlush(display);
}

}  // namespace

void mark_settings_window(GtkWindow* window, const std::string& program) {
  GdkWindow* surface = gtk_widget_get_window(GTK_WIDGET(window));
  if (surface == nullptr || !GDK_IS_X11_WINDOW(surface)) return;
  Display* display = GDK_WINDOW_XDISPLAY(surface);
  XChangeProperty(display, GDK_WINDOW_XID(surface), XInternAtom(display, kMarkProperty, False),
                  XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(program.data()),
                  static_cast<int>(program.size()));
}

bool present_settings_window(GdkDisplay* gdk_display, const std::string& program) {
  if (gdk_display == nullptr || !GDK_IS_X11_DISPLAY(gdk_display)) return false;
  Display* display = GDK_DISPLAY_XDISPLAY(gdk_display);
  const Atom mark = XInternAtom(display, kMarkProperty, False);
  const auto end = std::chrono::steady_clock::now() + kFindTime;
  for (;;) {
    // A window that goes meanwhile must not end the program.
    gdk_x11_display_error_trap_push(gdk_display);
    const Window found =
        find_marked(display, DefaultRootWindow(display), mark, program, kSearchDepth);
    if (found != None) activate(display, found);
    gdk_x11_display_error_trap_pop_ignored(gdk_display);
    if (found != None) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace showsaver
