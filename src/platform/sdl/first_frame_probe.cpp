#include "platform/sdl/first_frame_probe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace showsaver {

FirstFrameProbe::FirstFrameProbe() {
  const char* named = std::getenv(kFirstFrameProbeVariable);
  if (named == nullptr) return;
  char* end = nullptr;
  const long fd = std::strtol(named, &end, 10);
  unsetenv(kFirstFrameProbeVariable);
  if (end == named || *end != '\0' || fd < 0 || fd > 65535) return;
  // Only a descriptor that is open and writable is used.
  const int flags = ::fcntl(static_cast<int>(fd), F_GETFL);
  if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) return;
  fd_ = static_cast<int>(fd);
  ::fcntl(fd_, F_SETFD, FD_CLOEXEC);
}

FirstFrameProbe::~FirstFrameProbe() {
  if (fd_ >= 0) ::close(fd_);
}

void FirstFrameProbe::frame_shown() {
  if (fd_ < 0) return;
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  char line[32];
  const int length = std::snprintf(line, sizeof line, "%lld\n",
                                   static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  if (length > 0) {
    [[maybe_unused]] const ssize_t written = ::write(fd_, line, static_cast<std::size_t>(length));
  }
  ::close(fd_);
  fd_ = -1;
}

}  // namespace showsaver
