// A measuring hook for the start-up benchmark (bench/system), inert unless
// asked for: when the environment variable SHOWSAVER_BENCH_FIRST_FRAME_FD
// names an open descriptor, the first frame put on screen writes the
// monotonic clock's reading in nanoseconds to it as one line, and closes it.
#pragma once

namespace showsaver {

inline constexpr const char* kFirstFrameProbeVariable = "SHOWSAVER_BENCH_FIRST_FRAME_FD";

class FirstFrameProbe {
 public:
  // Takes the descriptor from the environment and removes the variable, so
  // that no program this one starts sees it.
  FirstFrameProbe();
  ~FirstFrameProbe();
  FirstFrameProbe(const FirstFrameProbe&) = delete;
  FirstFrameProbe& operator=(const FirstFrameProbe&) = delete;

  // Called after each frame is on screen; only the first one is reported.
  void frame_shown();

 private:
  int fd_ = -1;
};

}  // namespace showsaver
