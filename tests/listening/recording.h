// What the player's sound device wrote, as SDL's disk audio driver records
// it, and the little analysis the listening tests need: how loud one pitch
// is around a moment, and when it starts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace showsaver::test {

// The mixer's device: 16-bit stereo at 44.1 kHz, written in real time.
constexpr int kDeviceRate = 44100;
constexpr std::size_t kDeviceFrameBytes = 4;

class Recording {
 public:
  // The first `seconds` of the raw samples in `path` (fewer when shorter).
  static Recording read(const std::string& path, double seconds);

  double seconds() const { return static_cast<double>(mono_.size()) / kDeviceRate; }
  // The amplitude (of 32767) of a sine at `hz` in the 20 ms from `at`
  // seconds: Goertzel's filter over a Hann window.
  double level(double hz, double at) const;
  // The middle of the first 20 ms, stepping 10 ms from `from` to `to`, in
  // which `hz` reaches `threshold`; nothing when it never does.
  std::optional<double> onset(double hz, double threshold, double from, double to) const;
  // The largest absolute sample.
  double peak() const;

 private:
  std::vector<float> mono_;
};

// Runs a program (a sound tool) to its end; true when it succeeded.
bool run_tool(const std::vector<std::string>& command, const std::string& log_prefix);

}  // namespace showsaver::test
