// The display mode on a private X server: the show drawn into a window it
// does not own, with "-window-id" and under the real xscreensaver daemon.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>

#include "shown_frames.h"
#include "support/show_harness.h"
#include "x_session.h"

namespace showsaver::test {
namespace {

constexpr long kInputEvents = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | EnterWindowMask;

// How the display mode is told to end: by a signal, or by its window going
// away with no signal at all (a locker that destroys the window first).
struct Ending {
  const char* name;
  bool destroy_window;
};

class DisplayModeEndTest : public testing::TestWithParam<Ending> {};

TEST_P(DisplayModeEndTest, DrawsIntoTheGivenWindowIgnoresInputAndEndsCleanly) {
  TempDir folder;
  TempDir logs;
  XServer x;
  ASSERT_TRUE(x.ok());
  const std::string show = install_show(folder, "show.scr", quartered_show());
  const PixelImage frame = rendered_frame(logs, show);
  ASSERT_EQ(frame.width, 60);
  const Window window = x.create_window(300, 200);
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", window);
  Child player({show, "-window-id", id}, session_environment(x, folder), logs.file("player"));

  ASSERT_TRUE(wait_until([&] { return shows_centred(x, x.geometry(window), frame); }))
      << player.err();
  keep_screenshot(x.screenshot(window), "display-mode-window");
  EXPECT_EQ(x.screenshot(0, 0, 1, 1).pixels, std::vector<std::uint32_t>{0}) << "black around";
  // Input is the window owner's: the show listens to none and grabs nothing.
  EXPECT_EQ(x.all_event_masks(window) & kInputEvents, 0);
  EXPECT_EQ(XGrabKeyboard(x.display(), window, False, GrabModeAsync, GrabModeAsync, CurrentTime),
            GrabSuccess);
  XUngrabKeyboard(x.display(), CurrentTime);
  XSync(x.display(), False);
  EXPECT_TRUE(player.running());

  if (GetParam().destroy_window) {
    XDestroyWindow(x.display(), window);
    XSync(x.display(), False);
  } else {
    player.signal(SIGTERM);
  }
  EXPECT_EQ(player.wait_exit(), 0) << player.err();
  EXPECT_TRUE(temp_folders(folder.file("run/")).empty());
}

INSTANTIATE_TEST_SUITE_P(Endings, DisplayModeEndTest,
                         testing::Values(Ending{"Sigterm", false}, Ending{"WindowDestroyed", true}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// The process ids of running programs whose command line starts with `program`.
std::vector<pid_t> processes_of(const std::string& program) {
  std::vector<pid_t> found;
  DIR* proc = ::opendir("/proc");
  while (dirent* entry = proc != nullptr ? ::readdir(proc) : nullptr) {
    const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
    if (pid <= 0) continue;
    const std::string command = read_text_file("/proc/" + std::to_string(pid) + "/cmdline");
    const std::string state = read_text_file("/proc/" + std::to_string(pid) + "/stat");
    const bool zombie = state.find(") Z") != std::string::npos;
    if (command.starts_with(program + '\0') && !zombie) found.push_back(pid);
  }
  if (proc != nullptr) ::closedir(proc);
  return found;
}

bool command_succeeds(const std::vector<std::string>& environment,
                      const std::vector<std::string>& command, const std::string& log) {
  Child child(command, environment, log);
  return child.wait_exit() == 0;
}

TEST(DisplayModeTest, PlaysUnderTheXscreensaverDaemonAndEndsWhenItDeactivates) {
  TempDir folder;
  TempDir logs;
  XServer x(640, 480);
  ASSERT_TRUE(x.ok());
  const std::string show = install_show(folder, "show.scr", quartered_show());
  const PixelImage frame = rendered_frame(logs, show);
  ASSERT_EQ(frame.width, 60);
  const std::vector<std::string> environment = session_environment(x, folder);
  // The locker runs its display programs only for an ordinary user.
  ::chmod(folder.path().c_str(), 0755);
  hand_to_ordinary_user(folder.file("run"));
  std::ofstream(folder.file("home/.xscreensaver"))
      << "mode:\tone\nselected:\t0\nlock:\tFalse\nfade:\tFalse\nunfade:\tFalse\n"
         "splash:\tFalse\ndpmsEnabled:\tFalse\ntimeout:\t1:00:00\n"
         "programs:\t\"Test show\" "
      << show << " --root --music off \\n\n";
  Child daemon(as_ordinary_user({"xscreensaver", "-no-splash", "-verbose"}), environment,
               logs.file("daemon"));
  ASSERT_TRUE(wait_until([&] {
    return command_succeeds(environment, {"xscreensaver-command", "-time"}, logs.file("time"));
  })) << daemon.err();

  ASSERT_TRUE(
      command_succeeds(environment, {"xscreensaver-command", "-activate"}, logs.file("activate")));
  ASSERT_TRUE(wait_until([&] {
    return shows_centred(x, {0, 0, 640, 480}, frame);
  })) << daemon.err();
  keep_screenshot(x.screenshot(0, 0, 640, 480), "display-mode-xscreensaver");
  const std::vector<pid_t> players = processes_of(show);
  ASSERT_EQ(players.size(), 1u) << daemon.err();
  ASSERT_EQ(temp_folders(folder.file("run/")).size(), 1u);

  ASSERT_TRUE(command_succeeds(environment, {"xscreensaver-command", "-deactivate"},
                               logs.file("deactivate")));
  EXPECT_TRUE(wait_until([&] { return processes_of(show).empty(); })) << daemon.err();
  EXPECT_TRUE(temp_folders(folder.file("run/")).empty());
  EXPECT_NE(daemon.err().find("Ended on SIGTERM"), std::string::npos) << daemon.err();
}

}  // namespace
}  // namespace showsaver::test
