// Windows programs under Wine, for tests: one fresh Wine prefix per run of a
// test binary, on an X server of its own (an Xvfb screen of 1024 x 768, or
// Xorg with several monitors), with helpers to run programs, find their
// windows, send input, take screenshots and wait for the end.
//
// The session is made on the first call of `WineSession::get()` (so tests
// that need no Wine pay nothing) and ended after the last test by a
// GoogleTest global environment: wineserver killed, Xvfb stopped, the prefix
// removed.  Both 32-bit and 64-bit programs run in its one 64-bit prefix,
// with WINEDEBUG=-all and an English locale whatever the host's.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "package/show_package.h"
#include "platform/geometry.h"
#include "platform/pixel_image.h"
#include "support/dummy_x_server.h"

namespace showsaver::test {

using std::chrono::milliseconds;
using std::chrono::seconds;

// A program the session started.
struct WineProcess {
  pid_t pid = -1;
  std::string output_path;  // its standard output and error
};

struct WineRun {
  // The exit status; nothing when the program had not ended by the deadline
  // (it is killed then) or was killed by a signal.
  std::optional<int> status;
  std::string output;
};

class WineSession {
 public:
  // The session of this run; a failure of the calling test (and null) when it
  // cannot be made.  Use as:
  //   WineSession* wine = WineSession::get();
  //   ASSERT_NE(wine, nullptr);
  static WineSession* get();
  // Ends the session, if one was made.
  static void end();
  // Before the first get(): the session's X server is Xorg with these
  // monitors (see DummyXServer) instead of one Xvfb screen of 1024 x 768.
  static void use_monitors(std::vector<Size> monitors);

  ~WineSession();
  WineSession(const WineSession&) = delete;
  WineSession& operator=(const WineSession&) = delete;

  // How long making the prefix took.
  milliseconds creation_time() const { return creation_time_; }
  const std::string& prefix() const { return prefix_; }
  // The prefix's Windows folder (drive_c/windows) as a Linux path.
  std::string windows_folder() const { return prefix_ + "/drive_c/windows"; }
  // A folder for the tests' own files, removed with the session.
  const std::string& work_folder() const { return work_; }
  // The build folder of one architecture's Windows tree ("i686", "x86_64"):
  // the entry of $SHOWSAVER_WINDOWS_BUILD_DIRS (folders separated by ':')
  // whose name ends with "-<architecture>".
  static std::optional<std::string> windows_build_folder(const std::string& architecture);
  // A Linux path as the Windows programs see it (drive Z: is the root).
  static std::string windows_path(const std::string& linux_path);

  // Starts `program` under Wine: a .exe for 32-bit or 64-bit Windows given as
  // a Linux path, or the name of one of Wine's own programs ("notepad").
  // `environment` ("NAME=value") is added to the session's, over a variable
  // of the same name (WINEDEBUG=+mci to log the media commands, say).
  WineProcess start(const std::string& program, const std::vector<std::string>& args,
                    const std::vector<std::string>& environment = {});
  // Waits for the process to end, until `deadline` from now.
  WineRun wait(const WineProcess& process, milliseconds deadline);
  WineRun run(const std::string& program, const std::vector<std::string>& args,
              milliseconds deadline);

  // The first window whose title matches `title_pattern` (a regular
  // expression, as xdotool takes it), polled until `deadline` from now.
  std::optional<unsigned long> wait_for_window(const std::string& title_pattern,
                                               milliseconds deadline);
  // Gives `window` the keyboard focus (there is no window manager to do it).
  bool focus(unsigned long window);
  // Key presses to the focused window, in xdotool's names ("alt+F4", "n").
  bool send_keys(const std::vector<std::string>& keys);
  bool type_text(const std::string& text);
  bool move_mouse(int x, int y);
  bool click(int button);
  // Ends a running show as a user would: the show window ("showsaver") gets
  // the focus and a press of the space bar (a failure of the calling test
  // where it cannot); then waits up to 30 s for `process` to end.
  WineRun end_show_with_a_key(const WineProcess& process);
  // The whole screen.
  std::optional<PixelImage> screenshot();
  // Takes screenshots until the pixel in the middle of the screen is
  // `colour` (0xRRGGBB), for at most `deadline`; whether it came.
  bool wait_for_colour_in_middle(std::uint32_t colour, milliseconds deadline);

 private:
  WineSession() = default;
  // Makes the display and the prefix; a description of what failed, or empty.
  std::string create();
  // Runs a tool of the host (xdotool, import) with the session's display.
  WineRun run_host_tool(std::vector<std::string> argv, milliseconds deadline);
  pid_t spawn(const std::vector<std::string>& argv, const std::string& output_path,
              int display_fd = -1, const std::vector<std::string>& environment = {});

  std::string root_;    // the session's temporary folder
  std::string prefix_;  // root_/prefix
  std::string work_;    // root_/work
  std::string display_;
  pid_t xvfb_ = -1;
  std::unique_ptr<DummyXServer> monitors_;
  std::vector<std::string> environment_;
  milliseconds creation_time_{0};
  int outputs_ = 0;
};

// Writes the Windows `player` with `package` appended to `path`, as a show's
// own .scr, and returns `path`.
std::string install_windows_show(const std::string& player, const std::string& path,
                                 const ShowPackage& package);

}  // namespace showsaver::test
