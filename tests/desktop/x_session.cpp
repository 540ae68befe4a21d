#include "x_session.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "showpack/png_writer.h"
#include "support/package_builder.h"
#include "support/png_files.h"

extern char** environ;

namespace showsaver::test {
namespace {

constexpr auto kPollInterval = 10ms;

std::vector<std::string> merged_environment(const std::vector<std::string>& changes) {
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const auto equals = text.find('=');
    if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const std::string& change : changes) {
    const auto equals = change.find('=');
    if (equals == std::string::npos) {
      variables.erase(change);
    } else {
      variables[change.substr(0, equals)] = change.substr(equals + 1);
    }
  }
  std::vector<std::string> merged;
  for (const auto& [name, value] : variables) merged.push_back(name + "=" + value);
  return merged;
}

std::string window_title(Display* display, Window window) {
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom net_name = XInternAtom(display, "_NET_WM_NAME", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, net_name, 0, 1024, False, utf8, &type, &format, &count,
                         &after, &data) == Success &&
      data != nullptr && type == utf8) {
    title.assign(reinterpret_cast<char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  if (!title.empty()) return title;
  char* name = nullptr;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

void collect_titled(Display* display, Window window, const std::string& title,
                    std::vector<Window>& found) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, window, &attributes) == 0) return;
  if (attributes.map_state == IsViewable && window_title(display, window) == title) {
    found.push_back(window);
  }
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return;
  for (unsigned i = 0; i < count; ++i) collect_titled(display, children[i], title, found);
  if (children != nullptr) XFree(children);
}

int ignore_errors(Display*, XErrorEvent*) {
  return 0;
}

}  // namespace

bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

Child::Child(std::vector<std::string> command, const std::vector<std::string>& environment,
             const std::string& output_prefix)
    : out_path_(output_prefix + ".out"), err_path_(output_prefix + ".err") {
  std::vector<char*> argv;
  for (std::string& argument : command) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables = merged_environment(environment);
  std::vector<char*> envp;
  for (std::string& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, err_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
}

Child::~Child() {
  if (!running()) return;
  ::kill(pid_, SIGTERM);
  if (wait_exit(5s)) return;
  ::kill(pid_, SIGKILL);
  wait_exit(5s);
}

bool Child::running() {
  if (pid_ < 0 || status_) return false;
  int wait_status = 0;
  if (::waitpid(pid_, &wait_status, WNOHANG) != pid_) return true;
  status_ = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  return false;
}

std::optional<int> Child::wait_exit(std::chrono::milliseconds timeout) {
  wait_until([this] { return !running(); }, timeout);
  return status_;
}

void Child::signal(int signal_number) {
  if (running()) ::kill(pid_, signal_number);
}

std::string Child::err() const {
  return read_text_file(err_path_);
}

std::string Child::out() const {
  return read_text_file(out_path_);
}

XServer::XServer(int width, int height) {
  int ends[2];
  if (::pipe(ends) != 0) return;
  ::fcntl(ends[0], F_SETFD, FD_CLOEXEC);
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  server_ = new Child({"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0", screen,
                       "-nolisten", "tcp", "-noreset"},
                      {}, log_dir_.file("xvfb"));
  ::close(ends[1]);
  std::string number;
  pollfd request{ends[0], POLLIN, 0};
  while (::poll(&request, 1, 20'000) > 0) {
    char c = 0;
    if (::read(ends[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  ::close(ends[0]);
  if (number.empty()) {
    ADD_FAILURE() << "Xvfb did not start: " << server_->err();
    return;
  }
  name_ = ":" + number;
  display_ = XOpenDisplay(name_.c_str());
  if (display_ == nullptr) ADD_FAILURE() << "cannot connect to Xvfb on " << name_;
  XSetErrorHandler(ignore_errors);
}

XServer::XServer(const std::string& running_display) : name_(running_display) {
  display_ = XOpenDisplay(name_.c_str());
  if (display_ == nullptr) ADD_FAILURE() << "cannot connect to " << name_;
  XSetErrorHandler(ignore_errors);
}

XServer::~XServer() {
  if (display_ != nullptr) XCloseDisplay(display_);
  if (server_ != nullptr) {
    server_->signal(SIGTERM);
    server_->wait_exit(5s);
    delete server_;
  }
}

std::vector<Window> XServer::windows_titled(const std::string& title) {
  std::vector<Window> found;
  collect_titled(display_, root(), title, found);
  return found;
}

Window XServer::wait_for_window(const std::string& title, std::chrono::milliseconds timeout) {
  Window window = 0;
  wait_until(
      [&] {
        const auto found = windows_titled(title);
        if (!found.empty()) window = found.front();
        return window != 0;
      },
      timeout);
  return window;
}

bool XServer::has_focus(Window window) {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  while (focus != 0 && focus != PointerRoot) {
    if (focus == window) return true;
    Window root_window = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display_, focus, &root_window, &parent, &children, &count) == 0) return false;
    if (children != nullptr) XFree(children);
    focus = parent;
  }
  return false;
}

Rect XServer::geometry(Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, window, &attributes);
  Window child = 0;
  Rect place{0, 0, attributes.width, attributes.height};
  XTranslateCoordinates(display_, window, root(), 0, 0, &place.left, &place.top, &child);
  return place;
}

PixelImage XServer::screenshot(int x, int y, int width, int height) {
  PixelImage image;
  XImage* shot = XGetImage(display_, root(), x, y, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (shot == nullptr) return image;
  image.width = width;
  image.height = height;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      image.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(shot, column, row)) & 0xFFFFFFu);
    }
  }
  XDestroyImage(shot);
  return image;
}

PixelImage XServer::screenshot(Window window) {
  const Rect place = geometry(window);
  return screenshot(place.left, place.top, place.width, place.height);
}

void XServer::press_keys(const std::vector<std::string>& keys) {
  std::vector<std::string> arguments{"key", "--delay", "20"};
  arguments.insert(arguments.end(), keys.begin(), keys.end());
  xdotool(arguments);
}

void XServer::xdotool(const std::vector<std::string>& arguments) {
  std::vector<std::string> command{"xdotool"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  Child run(command, {"DISPLAY=" + name_}, log_dir_.file("xdotool"));
  EXPECT_EQ(run.wait_exit(10s), 0) << run.err();
}

void XServer::request_close(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  XSync(display_, False);
}

Window XServer::create_window(int width, int height) {
  const Window window =
      XCreateSimpleWindow(display_, root(), 0, 0, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, 0, WhitePixel(display_, 0));
  XMapWindow(display_, window);
  XSync(display_, False);
  return window;
}

long XServer::all_event_masks(Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, window, &attributes);
  return attributes.all_event_masks;
}

std::string install_show(const TempDir& folder, const std::string& name,
                         const ShowPackage& package) {
  std::string program = read_text_file(SHOWSAVER_PLAYER_PATH);
  const ByteVector block = package_block(package);
  program.append(block.begin(), block.end());
  const std::string path = folder.file(name);
  write_text_file(path, program);
  ::chmod(path.c_str(), 0755);
  return path;
}

std::vector<std::string> session_environment(const XServer& server, const TempDir& folder) {
  for (const char* sub : {"home", "config", "run", "tmp"}) {
    std::filesystem::create_directories(folder.file(sub));
  }
  ::chmod(folder.file("run").c_str(), 0700);
  std::vector<std::string> environment{
      "DISPLAY=" + server.name(), "HOME=" + folder.file("home"),
      "XDG_CONFIG_HOME=" + folder.file("config"), "XDG_RUNTIME_DIR=" + folder.file("run"),
      "TMPDIR=" + folder.file("tmp"),
      // Under the sanitizers, no leak report for the player: the system's
      // toolkit and display libraries keep caches until the process ends, and
      // SDL unloads X11's extension libraries before then, so their
      // allocations name no module to suppress.  The player's own code is
      // leak-checked in-process by the unit tests; here ASan still watches
      // every memory access.
      "ASAN_OPTIONS=detect_leaks=0", "SDL_AUDIODRIVER=dummy", "NO_AT_BRIDGE=1", "GDK_BACKEND=x11"};
  for (const char* unset : {"WAYLAND_DISPLAY", "XSCREENSAVER_WINDOW"}) {
    environment.emplace_back(unset);
  }
  return environment;
}

constexpr int kNobody = 65534;

std::vector<std::string> as_ordinary_user(std::vector<std::string> command) {
  if (::geteuid() != 0) return command;
  const std::string id = std::to_string(kNobody);
  command.insert(command.begin(),
                 {"setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups", "--"});
  return command;
}

void hand_to_ordinary_user(const std::string& path) {
  if (::geteuid() == 0 && ::chown(path.c_str(), kNobody, kNobody) != 0) {
    ADD_FAILURE() << "cannot give " << path << " away";
  }
}

std::vector<std::string> temp_folders(const std::string& parent) {
  std::vector<std::string> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(parent, error)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("temp")) found.push_back(name);
  }
  return found;
}

std::string keep_screenshot(const PixelImage& image, const std::string& name) {
  const char* build = std::getenv("SHOWSAVER_BUILD_DIR");
  const std::string folder = std::string(build != nullptr ? build : ".") + "/desktop-screens/";
  std::filesystem::create_directories(folder);
  const std::string path = folder + name + ".png";
  write_png(path, image);
  return path;
}

std::optional<std::string> file_bytes(const std::string& path) {
  if (!std::filesystem::exists(path)) return std::nullopt;
  return read_text_file(path);
}

}  // namespace showsaver::test
