#include "wine_session.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include "package/package_writer.h"
#include "support/png_files.h"
#include "support/show_harness.h"
#include "support/temp_dir.h"
#include "support/text_codec.h"

extern char** environ;

namespace showsaver::test {
namespace {

using Clock = std::chrono::steady_clock;

// Variables the session sets for every program it starts.
const char* const kSessionVariables[] = {"DISPLAY",          "WINEPREFIX", "WINEDEBUG",
                                         "WINEDLLOVERRIDES", "LANG",       "LC_ALL"};

std::unique_ptr<WineSession>& session_slot() {
  static std::unique_ptr<WineSession> session;
  return session;
}

// Why the session could not be made; it is not tried again in the same run.
std::string& failure_slot() {
  static std::string failure;
  return failure;
}

// The monitors of use_monitors(); none for the Xvfb screen.
std::vector<Size>& monitors_slot() {
  static std::vector<Size> monitors;
  return monitors;
}

class EndSessionAfterLastTest final : public ::testing::Environment {
 public:
  void TearDown() override { WineSession::end(); }
};

[[maybe_unused]] ::testing::Environment* const kEndSession =
    ::testing::AddGlobalTestEnvironment(new EndSessionAfterLastTest);

// Waits for `pid` to end until `deadline`: on a process file descriptor when
// the kernel has them, else by polling.  The exit status, or nothing.
std::optional<int> wait_until(pid_t pid, Clock::time_point deadline) {
  const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  for (;;) {
    int status = 0;
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid) {
      if (pidfd >= 0) close(pidfd);
      return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
    }
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    if (ended < 0 || left <= 0) break;
    if (pidfd >= 0) {
      pollfd ready{pidfd, POLLIN, 0};
      poll(&ready, 1, static_cast<int>(left));
    } else {
      std::this_thread::sleep_for(milliseconds(10));
    }
  }
  if (pidfd >= 0) close(pidfd);
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return std::nullopt;
}

// The display number Xvfb writes to `fd` once it accepts connections.
std::string read_display_number(int fd, Clock::time_point deadline) {
  std::string number;
  for (;;) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    pollfd ready{fd, POLLIN, 0};
    if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) <= 0) return {};
    char c = 0;
    if (read(fd, &c, 1) != 1) return {};
    if (c == '\n') return number;
    number += c;
  }
}

}  // namespace

WineSession* WineSession::get() {
  std::unique_ptr<WineSession>& slot = session_slot();
  std::string& failure = failure_slot();
  if (!slot && failure.empty()) {
    std::unique_ptr<WineSession> session(new WineSession);
    failure = session->create();
    if (failure.empty()) {
      std::cout << "Wine prefix made in " << session->creation_time().count() << " ms on display "
                << session->display_ << std::endl;
      slot = std::move(session);
    }
  }
  if (!slot) ADD_FAILURE() << "no Wine session: " << failure;
  return slot.get();
}

void WineSession::end() {
  session_slot().reset();
}

void WineSession::use_monitors(std::vector<Size> monitors) {
  monitors_slot() = std::move(monitors);
}

std::string WineSession::create() {
  std::string pattern = (std::filesystem::temp_directory_path() / "showsaver-wine-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return "cannot make a temporary folder";
  root_ = pattern;
  prefix_ = root_ + "/prefix";
  work_ = root_ + "/work";
  std::filesystem::create_directory(work_);

  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string entry = *variable;
    const std::string name = entry.substr(0, entry.find('='));
    if (std::find(std::begin(kSessionVariables), std::end(kSessionVariables), name) ==
        std::end(kSessionVariables)) {
      environment_.push_back(entry);
    }
  }

  if (!monitors_slot().empty()) {
    monitors_ = std::make_unique<DummyXServer>(monitors_slot());
    if (!monitors_->ok()) return "Xorg did not start: " + monitors_->problem();
    display_ = monitors_->name();
  } else {
    // Xvfb picks a free display number itself and reports it on fd 3.
    int display_pipe[2];
    if (pipe2(display_pipe, O_CLOEXEC) != 0) return "cannot make a pipe";
    xvfb_ = spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                  root_ + "/xvfb.log", display_pipe[1]);
    close(display_pipe[1]);
    const std::string number = read_display_number(display_pipe[0], Clock::now() + seconds(30));
    close(display_pipe[0]);
    if (number.empty()) return "Xvfb did not start: " + read_text_file(root_ + "/xvfb.log");
    display_ = ":" + number;
  }

  environment_.push_back("DISPLAY=" + display_);
  environment_.push_back("WINEPREFIX=" + prefix_);
  environment_.push_back("WINEDEBUG=-all");
  // No offer to install Wine's .NET and HTML engines: there is no network.
  environment_.push_back("WINEDLLOVERRIDES=mscoree,mshtml=");
  // Window titles and messages in English whatever the host's language.
  environment_.push_back("LANG=C.UTF-8");
  environment_.push_back("LC_ALL=C.UTF-8");

  // Wine takes the outputs as the server last found them; only a full query
  // of the screen's resources has it look at outputs xrandr has just set up.
  if (monitors_ && run_host_tool({"xrandr", "--query"}, seconds(30)).status != 0) {
    return "xrandr --query failed";
  }

  const auto start = Clock::now();
  const WineRun boot = run_host_tool({"wineboot", "-i"}, seconds(240));
  creation_time_ = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
  if (boot.status != 0) return "wineboot -i failed: " + boot.output;
  if (!std::filesystem::is_directory(windows_folder())) return "no Windows folder in the prefix";
  return {};
}

WineSession::~WineSession() {
  if (!display_.empty()) run_host_tool({"wineserver", "-k"}, seconds(30));
  if (xvfb_ > 0) {
    kill(xvfb_, SIGTERM);
    wait_until(xvfb_, Clock::now() + seconds(10));
  }
  if (!root_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
}

std::string WineSession::windows_path(const std::string& linux_path) {
  std::string path = "Z:" + linux_path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

pid_t WineSession::spawn(const std::vector<std::string>& argv, const std::string& output_path,
                         int display_fd, const std::vector<std::string>& environment) {
  // Everything the child needs is made before the fork.
  std::vector<char*> arguments;
  for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  const auto name_of = [](const std::string& variable) {
    return variable.substr(0, variable.find('='));
  };
  std::vector<char*> variables;
  for (const std::string& variable : environment_) {
    const bool replaced =
        std::any_of(environment.begin(), environment.end(),
                    [&](const std::string& v) { return name_of(v) == name_of(variable); });
    if (!replaced) variables.push_back(const_cast<char*>(variable.c_str()));
  }
  for (const std::string& variable : environment) {
    variables.push_back(const_cast<char*>(variable.c_str()));
  }
  variables.push_back(nullptr);
  const int output = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    // Nothing the session starts outlives the test binary, however it ends.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    dup2(input, 0);
    dup2(output, 1);
    dup2(output, 2);
    if (display_fd == 3) {
      fcntl(3, F_SETFD, 0);
    } else if (display_fd >= 0) {
      dup2(display_fd, 3);
    }
    execvpe(arguments[0], arguments.data(), variables.data());
    _exit(127);
  }
  close(output);
  close(input);
  return pid;
}

WineRun WineSession::run_host_tool(std::vector<std::string> argv, milliseconds deadline) {
  const std::string output_path = root_ + "/tool-" + std::to_string(outputs_++) + ".txt";
  const pid_t pid = spawn(argv, output_path);
  WineRun result;
  if (pid > 0) result.status = wait_until(pid, Clock::now() + deadline);
  result.output = read_text_file(output_path);
  std::filesystem::remove(output_path);
  return result;
}

WineProcess WineSession::start(const std::string& program, const std::vector<std::string>& args,
                               const std::vector<std::string>& environment) {
  std::vector<std::string> argv{"wine", program};
  argv.insert(argv.end(), args.begin(), args.end());
  WineProcess process;
  process.output_path = root_ + "/program-" + std::to_string(outputs_++) + ".txt";
  process.pid = spawn(argv, process.output_path, -1, environment);
  return process;
}

WineRun WineSession::wait(const WineProcess& process, milliseconds deadline) {
  WineRun result;
  if (process.pid > 0) result.status = wait_until(process.pid, Clock::now() + deadline);
  result.output = read_text_file(process.output_path);
  return result;
}

WineRun WineSession::run(const std::string& program, const std::vector<std::string>& args,
                         milliseconds deadline) {
  return wait(start(program, args), deadline);
}

std::optional<unsigned long> WineSession::wait_for_window(const std::string& title_pattern,
                                                          milliseconds deadline) {
  // --sync makes xdotool wait until a window matches; --onlyvisible until it
  // is mapped too, as a dialog is named before it is shown, and only a
  // mapped window takes the focus.
  const WineRun search = run_host_tool(
      {"xdotool", "search", "--sync", "--onlyvisible", "--name", title_pattern}, deadline);
  if (search.status != 0) return std::nullopt;
  char* end = nullptr;
  const unsigned long window = std::strtoul(search.output.c_str(), &end, 10);
  if (end == search.output.c_str()) return std::nullopt;
  return window;
}

bool WineSession::focus(unsigned long window) {
  return run_host_tool({"xdotool", "windowfocus", "--sync", std::to_string(window)}, seconds(20))
             .status == 0;
}

bool WineSession::send_keys(const std::vector<std::string>& keys) {
  std::vector<std::string> argv{"xdotool", "key", "--delay", "20"};
  argv.insert(argv.end(), keys.begin(), keys.end());
  return run_host_tool(argv, seconds(20)).status == 0;
}

bool WineSession::type_text(const std::string& text) {
  return run_host_tool({"xdotool", "type", "--delay", "20", text}, seconds(20)).status == 0;
}

bool WineSession::move_mouse(int x, int y) {
  // No --sync: it would wait for ever when the pointer is there already.
  return run_host_tool({"xdotool", "mousemove", std::to_string(x), std::to_string(y)}, seconds(20))
             .status == 0;
}

bool WineSession::click(int button) {
  return run_host_tool({"xdotool", "click", std::to_string(button)}, seconds(20)).status == 0;
}

std::optional<std::string> WineSession::windows_build_folder(const std::string& architecture) {
  const char* folders = std::getenv("SHOWSAVER_WINDOWS_BUILD_DIRS");
  std::istringstream list(folders != nullptr ? folders : "");
  std::string folder;
  while (std::getline(list, folder, ':')) {
    while (folder.ends_with('/')) folder.pop_back();
    if (folder.ends_with("-" + architecture)) return folder;
  }
  return std::nullopt;
}

std::optional<PixelImage> WineSession::screenshot() {
  const std::string path = root_ + "/screenshot-" + std::to_string(outputs_++) + ".png";
  if (run_host_tool({"import", "-window", "root", path}, seconds(30)).status != 0) {
    return std::nullopt;
  }
  auto image = read_png(path);
  std::filesystem::remove(path);
  return image;
}

WineRun WineSession::end_show_with_a_key(const WineProcess& process) {
  const auto window = wait_for_window("^showsaver$", seconds(10));
  EXPECT_TRUE(window) << "no show window";
  if (window) {
    EXPECT_TRUE(focus(*window));
    EXPECT_TRUE(send_keys({"space"}));
  }
  return wait(process, seconds(30));
}

bool WineSession::wait_for_colour_in_middle(std::uint32_t colour, milliseconds deadline) {
  const auto end = Clock::now() + deadline;
  while (Clock::now() < end) {
    const auto screen = screenshot();
    if (screen && !screen->pixels.empty() &&
        pixel(*screen, screen->width / 2, screen->height / 2) == colour) {
      return true;
    }
  }
  return false;
}

std::string install_windows_show(const std::string& player, const std::string& path,
                                 const ShowPackage& package) {
  std::ifstream in(player, std::ios::binary);
  const std::vector<std::uint8_t> player_bytes(std::istreambuf_iterator<char>(in), {});
  const PackageWriteResult written = append_package_block(player_bytes, package, text_codec());
  EXPECT_TRUE(written.ok());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(written.bytes.data()),
             static_cast<std::streamsize>(written.bytes.size()));
  return path;
}

}  // namespace showsaver::test
