#include "support/dummy_x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

extern char** environ;

namespace showsaver::test {
namespace {

// The dummy driver takes any mode its monitor's ranges allow; the screen
// grows as xrandr places the outputs.
std::string configuration(Size screen) {
  // Four bytes a pixel, and as much again to spare.
  const std::int64_t video_ram_kb = std::int64_t{screen.width} * screen.height * 8 / 1024 + 1024;
  return "Section \"Device\"\n  Identifier \"dummy\"\n  Driver \"dummy\"\n  VideoRam " +
         std::to_string(video_ram_kb) +
         "\nEndSection\n"
         "Section \"Monitor\"\n  Identifier \"monitor\"\n  HorizSync 5.0-1000.0\n"
         "  VertRefresh 5.0-200.0\nEndSection\n"
         "Section \"Screen\"\n  Identifier \"screen\"\n  Device \"dummy\"\n  Monitor \"monitor\"\n"
         "  DefaultDepth 24\n  SubSection \"Display\"\n    Depth 24\n    Virtual " +
         std::to_string(screen.width) + " " + std::to_string(screen.height) +
         "\n"
         "  EndSubSection\nEndSection\n"
         "Section \"ServerFlags\"\n  Option \"AutoAddDevices\" \"false\"\n"
         "  Option \"AutoAddGPU\" \"false\"\n  Option \"DontVTSwitch\" \"true\"\nEndSection\n";
}

// A mode of exactly `size`; the timings only need to fall in the monitor's ranges.
std::vector<std::string> new_mode(const std::string& name, Size size) {
  const auto number = [](int value) { return std::to_string(value); };
  return {"xrandr",
          "--newmode",
          name,
          "25.0",
          number(size.width),
          number(size.width + 8),
          number(size.width + 16),
          number(size.width + 24),
          number(size.height),
          number(size.height + 2),
          number(size.height + 4),
          number(size.height + 6)};
}

pid_t spawn(const std::vector<std::string>& command, const std::vector<std::string>& environment,
            const std::string& log, int display_fd) {
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  if (display_fd >= 0) posix_spawn_file_actions_adddup2(&actions, display_fd, 3);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

std::vector<std::string> current_environment() {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) variables.emplace_back(*entry);
  return variables;
}

}  // namespace

DummyXServer::DummyXServer(const std::vector<Size>& monitors) {
  Size screen;
  for (const Size& size : monitors) {
    screen.width += size.width;
    screen.height = std::max(screen.height, size.height);
  }
  std::ofstream(folder_.file("xorg.conf")) << configuration(screen);

  int display_pipe[2];
  if (pipe(display_pipe) != 0) {
    fail("cannot make a pipe");
    return;
  }
  fcntl(display_pipe[0], F_SETFD, FD_CLOEXEC);
  server_ =
      spawn({"Xorg", "-displayfd", "3", "-config", folder_.file("xorg.conf"), "-noreset",
             "-nolisten", "tcp", "-logfile", folder_.file("xorg.log"), "-novtswitch", "-sharevts"},
            current_environment(), folder_.file("server.out"), display_pipe[1]);
  close(display_pipe[1]);
  std::string number;
  pollfd ready{display_pipe[0], POLLIN, 0};
  while (server_ > 0 && poll(&ready, 1, 30'000) > 0) {
    char c = 0;
    if (read(display_pipe[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(display_pipe[0]);
  if (number.empty()) {
    fail("Xorg did not start");
    return;
  }
  name_ = ":" + number;

  int left = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const Size size = monitors[i];
    const std::string output = "DUMMY" + std::to_string(i);
    const std::string mode = "test" + std::to_string(i);
    std::vector<std::string> place = {
        "xrandr", "--output", output, "--mode", mode, "--pos", std::to_string(left) + "x0"};
    if (i == 0) place.push_back("--primary");
    if (!run(new_mode(mode, size)) || !run({"xrandr", "--addmode", output, mode}) || !run(place)) {
      {
        fail("xrandr could not set up " + output);
        return;
      }
    }
    monitors_.push_back({left, 0, size.width, size.height});
    left += size.width;
  }
  // The dummy driver reports an output it has not been asked about since it
  // got its mode as disconnected to clients that read the server's current
  // state without a new probe, as SDL does: one probe settles it, as a
  // monitor plugged in would.
  if (!run({"xrandr", "--query"})) {
    fail("xrandr could not probe the outputs");
    return;
  }
  if (!run({"xsetroot", "-solid", "#808080"})) {
    fail("xsetroot failed");
    return;
  }
}

DummyXServer::~DummyXServer() {
  if (server_ <= 0) return;
  kill(server_, SIGTERM);
  for (int i = 0; i < 500; ++i) {
    if (waitpid(server_, nullptr, WNOHANG) == server_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(server_, SIGKILL);
  waitpid(server_, nullptr, 0);
}

bool DummyXServer::run(const std::vector<std::string>& command) {
  std::vector<std::string> environment = current_environment();
  std::erase_if(environment,
                [](const std::string& entry) { return entry.starts_with("DISPLAY="); });
  environment.push_back("DISPLAY=" + name_);
  const pid_t pid = spawn(command, environment, folder_.file("commands.log"), -1);
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

void DummyXServer::fail(const std::string& what) {
  problem_ = what + "\n" + read_text_file(folder_.file("server.out")) +
             read_text_file(folder_.file("commands.log"));
}

}  // namespace showsaver::test
