// Starts a program (the player) and measures it from outside:
//   first_frame_ms  from just before the start to the first frame on screen,
//                   which the player reports through the descriptor named by
//                   SHOWSAVER_BENCH_FIRST_FRAME_FD (platform/sdl/first_frame_probe.h);
//   cpu_ms          processor time of all its threads over a window of
//                   --cpu-ms milliseconds that begins --settle-ms after the
//                   first frame (or after the start, with --no-frame);
//   peak_rss_kb     its peak resident memory (wait4's ru_maxrss), after it
//                   ended on SIGTERM.
// Prints one line of key=value pairs.
//
// The program's standard error goes to /dev/null unless --show-log.
//
// Usage: showsaver_run_probe [--no-frame] [--show-log] [--settle-ms N] [--cpu-ms N]
//                            [--timeout-ms N] -- PROGRAM ARGUMENTS...
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

long long monotonic_ns() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Nanoseconds every thread of `pid` has run on a processor so far.
long long on_cpu_ns(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* folder = opendir(tasks.c_str());
  if (folder == nullptr) return -1;
  long long total = 0;
  while (const dirent* entry = readdir(folder)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
    long long ns = 0;
    if (stat >> ns) total += ns;
  }
  closedir(folder);
  return total;
}

void sleep_ms(long ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int usage() {
  std::fprintf(stderr,
               "usage: showsaver_run_probe [--no-frame] [--show-log] [--settle-ms N] [--cpu-ms N] "
               "[--timeout-ms N] -- PROGRAM ARGUMENTS...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool wait_for_frame = true;
  bool show_log = false;
  long settle_ms = 0;
  long cpu_ms = 0;
  long timeout_ms = 20000;
  int first = 1;
  for (; first < argc; ++first) {
    const std::string option = argv[first];
    if (option == "--") {
      ++first;
      break;
    }
    if (option == "--no-frame") {
      wait_for_frame = false;
    } else if (option == "--show-log") {
      show_log = true;
    } else if (first + 1 < argc && option == "--settle-ms") {
      settle_ms = std::atol(argv[++first]);
    } else if (first + 1 < argc && option == "--cpu-ms") {
      cpu_ms = std::atol(argv[++first]);
    } else if (first + 1 < argc && option == "--timeout-ms") {
      timeout_ms = std::atol(argv[++first]);
    } else {
      return usage();
    }
  }
  if (first >= argc) return usage();

  int report[2];
  if (pipe(report) != 0) {
    std::perror("pipe");
    return 1;
  }
  setenv("SHOWSAVER_BENCH_FIRST_FRAME_FD", std::to_string(report[1]).c_str(), 1);
  const long long started = monotonic_ns();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("fork");
    return 1;
  }
  if (child == 0) {
    close(report[0]);
    // The player's log (its end on SIGTERM) would come between the figures.
    if (!show_log) {
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, 2);
    }
    execv(argv[first], argv + first);
    std::perror("exec");
    _exit(127);
  }
  close(report[1]);

  std::string line;
  bool failed = false;
  long long frame_at = 0;
  if (wait_for_frame) {
    pollfd request{report[0], POLLIN, 0};
    char buffer[64];
    const long long give_up = started + timeout_ms * 1000000LL;
    while (line.find('\n') == std::string::npos) {
      const long long left_ms = (give_up - monotonic_ns()) / 1000000LL;
      if (left_ms <= 0 || poll(&request, 1, static_cast<int>(left_ms)) <= 0) break;
      const ssize_t count = read(report[0], buffer, sizeof buffer);
      if (count < 0 && errno == EINTR) continue;
      if (count <= 0) break;
      line.append(buffer, static_cast<std::size_t>(count));
    }
    if (line.find('\n') == std::string::npos) {
      std::fprintf(stderr, "showsaver_run_probe: no first frame reported\n");
      failed = true;
    } else {
      frame_at = std::atoll(line.c_str());
    }
  }
  close(report[0]);

  long long cpu_ns = -1;
  if (!failed && cpu_ms > 0) {
    sleep_ms(settle_ms);
    const long long before = on_cpu_ns(child);
    sleep_ms(cpu_ms);
    const long long after = on_cpu_ns(child);
    if (before >= 0 && after >= 0) cpu_ns = after - before;
  } else if (!failed && settle_ms > 0) {
    sleep_ms(settle_ms);
  }

  kill(child, SIGTERM);
  int status = 0;
  rusage usage_of_child{};
  // A player that does not end within ten seconds of SIGTERM is killed.
  for (int tries = 0;; ++tries) {
    const pid_t ended = wait4(child, &status, WNOHANG, &usage_of_child);
    if (ended == child) break;
    if (tries == 1000) kill(child, SIGKILL);
    sleep_ms(10);
  }

  std::printf("first_frame_ms=%.1f cpu_ms=%.1f window_ms=%ld peak_rss_kb=%ld exit=%d\n",
              wait_for_frame && !failed ? static_cast<double>(frame_at - started) / 1e6 : -1.0,
              cpu_ns >= 0 ? static_cast<double>(cpu_ns) / 1e6 : -1.0, cpu_ms,
              usage_of_child.ru_maxrss,
              WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  return failed ? 1 : 0;
}
