// End-to-end tests of the player on a private X server: the server, the
// programs under test, windows found by title, screenshots and keys.
#pragma once

// GoogleTest before Xlib, whose macros (None, Bool, ...) would break its headers.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
// clang-format on
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "package/show_package.h"
#include "platform/geometry.h"
#include "platform/pixel_image.h"
#include "support/png_files.h"
#include "support/temp_dir.h"

namespace showsaver::test {

using namespace std::chrono_literals;

// Polls `condition` until it holds or `timeout` has passed; true when it held.
bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 20s);

// A program started by a test, its output in files of a folder.  Ended when
// the object goes, if it still runs (SIGTERM, then SIGKILL).
class Child {
 public:
  // `environment` entries replace or add variables ("NAME=value"); a bare
  // "NAME" removes one.
  Child(std::vector<std::string> command, const std::vector<std::string>& environment,
        const std::string& output_prefix);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // The exit status once it has ended within `timeout` (-1 when a signal ended it).
  std::optional<int> wait_exit(std::chrono::milliseconds timeout = 20s);
  void signal(int signal_number);
  std::string err() const;
  std::string out() const;

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
  std::string out_path_;
  std::string err_path_;
};

// A private X server (Xvfb) on a free display, with the test's own connection.
class XServer {
 public:
  XServer(int width = 800, int height = 600);
  // The test's own connection to a server started elsewhere (a DummyXServer
  // of several monitors), which stays when this object goes.
  explicit XServer(const std::string& running_display);
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  bool ok() const { return display_ != nullptr; }
  const std::string& name() const { return name_; }
  Display* display() const { return display_; }
  Window root() const { return DefaultRootWindow(display_); }

  // Viewable windows whose title (_NET_WM_NAME or WM_NAME) is `title`.
  std::vector<Window> windows_titled(const std::string& title);
  // The first viewable window titled `title` within the timeout, else 0.
  Window wait_for_window(const std::string& title, std::chrono::milliseconds timeout = 20s);
  // True when the keyboard focus is `window` or inside it.
  bool has_focus(Window window);
  // Where `window` lies on the screen.
  Rect geometry(Window window);
  // The screen's pixels in (x, y, width, height), each 0x00RRGGBB.
  PixelImage screenshot(int x, int y, int width, int height);
  PixelImage screenshot(Window window);
  // Presses and releases each key (xdotool key names) on this display.
  void press_keys(const std::vector<std::string>& keys);
  // Runs xdotool with `arguments` on this display ("mousemove", "100", "50").
  void xdotool(const std::vector<std::string>& arguments);
  // The window manager's close request (WM_DELETE_WINDOW), as a close box sends it.
  void request_close(Window window);
  // A plain top-level window of the given size, mapped.
  Window create_window(int width, int height);
  // The event masks of every client on `window` together.
  long all_event_masks(Window window);

 private:
  Child* server_ = nullptr;
  Display* display_ = nullptr;
  std::string name_;
  TempDir log_dir_;
};

// The player with `package` appended, as a show file in `folder`.
std::string install_show(const TempDir& folder, const std::string& name,
                         const ShowPackage& package);
// The environment of a program under test on `server`: the display, and a
// home, config, runtime and temp folder inside `folder`; no sound device.
std::vector<std::string> session_environment(const XServer& server, const TempDir& folder);
// `command` as it runs as an ordinary user: as is, or when the tests run as
// root (whom read-only folders do not stop and whom screen lockers refuse),
// under the user nobody.
std::vector<std::string> as_ordinary_user(std::vector<std::string> command);
// Gives `path` to the user of as_ordinary_user.
void hand_to_ordinary_user(const std::string& path);
// The temp folders (temp1, temp2, ...) in `parent`.
std::vector<std::string> temp_folders(const std::string& parent);
// Writes `image` as a PNG to the build folder's desktop-screens/ for people to
// look at; returns its path.
std::string keep_screenshot(const PixelImage& image, const std::string& name);
// The file's bytes as text, or nothing when it does not exist.
std::optional<std::string> file_bytes(const std::string& path);

}  // namespace showsaver::test
