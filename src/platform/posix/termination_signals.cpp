#include "platform/posix/termination_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace showsaver {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach only static storage; these live as long as the
// one TerminationSignals object.
volatile std::sig_atomic_t first_signal = 0;
int pipe_write_fd = -1;

extern "C" void on_termination_signal(int signal_number) {
  if (first_signal == 0) first_signal = signal_number;
  const int saved_errno = errno;
  const char byte = 1;
  // One byte is enough: nobody drains the pipe, and a full pipe is still readable.
  [[maybe_unused]] const auto written = ::write(pipe_write_fd, &byte, 1);
  errno = saved_errno;
}

}  // namespace

TerminationSignals::TerminationSignals() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
  read_fd_ = ends[0];
  pipe_write_fd = ends[1];
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = on_termination_signal;
  sigemptyset(&action.sa_mask);
  // Interrupted system calls resume; the pipe, not EINTR, wakes the waits.
  action.sa_flags = SA_RESTART;
  for (const int signal_number : kSignals) ::sigaction(signal_number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  for (const int signal_number : kSignals) std::signal(signal_number, SIG_DFL);
  if (read_fd_ >= 0) ::close(read_fd_);
  if (pipe_write_fd >= 0) ::close(pipe_write_fd);
  pipe_write_fd = -1;
  first_signal = 0;
}

int TerminationSignals::received() const {
  return first_signal;
}

bool end_requested(int fd) {
  if (fd < 0) return false;
  pollfd request{fd, POLLIN, 0};
  return ::poll(&request, 1, 0) > 0 && (request.revents & POLLIN) != 0;
}

}  // namespace showsaver
