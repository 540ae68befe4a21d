#include "recording.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <numbers>

#include "x_session.h"

namespace showsaver::test {

namespace {

constexpr std::size_t kWindow = kDeviceRate / 50;  // 20 ms
constexpr double kStep = 0.01;

}  // namespace

Recording Recording::read(const std::string& path, double seconds) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  const std::size_t frames =
      std::min(bytes.size() / kDeviceFrameBytes, static_cast<std::size_t>(seconds * kDeviceRate));
  Recording recording;
  recording.mono_.reserve(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const auto sample = [&](std::size_t at) {
      return static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                       static_cast<std::uint8_t>(bytes[at + 1]) << 8);
    };
    const std::size_t at = i * kDeviceFrameBytes;
    recording.mono_.push_back((sample(at) + sample(at + 2)) / 2.0F);
  }
  return recording;
}

double Recording::level(double hz, double at) const {
  const auto start = static_cast<std::size_t>(std::max(at, 0.0) * kDeviceRate);
  if (start + kWindow > mono_.size()) return 0;
  const double coefficient = 2 * std::cos(2 * std::numbers::pi * hz / kDeviceRate);
  double s1 = 0;
  double s2 = 0;
  for (std::size_t i = 0; i < kWindow; ++i) {
    const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (kWindow - 1));
    const double s = hann * mono_[start + i] + coefficient * s1 - s2;
    s2 = s1;
    s1 = s;
  }
  const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
  // A Hann window's samples add up to half its length.
  return 2 * std::sqrt(std::max(power, 0.0)) / (kWindow / 2.0);
}

std::optional<double> Recording::onset(double hz, double threshold, double from, double to) const {
  const double window = static_cast<double>(kWindow) / kDeviceRate;
  for (double at = from; at + window <= std::min(to, seconds()); at += kStep) {
    if (level(hz, at) >= threshold) return at + window / 2;
  }
  return std::nullopt;
}

double Recording::peak() const {
  double peak = 0;
  for (float sample : mono_) peak = std::max(peak, static_cast<double>(std::abs(sample)));
  return peak;
}

bool run_tool(const std::vector<std::string>& command, const std::string& log_prefix) {
  Child tool(command, {}, log_prefix);
  const bool ok = tool.wait_exit() == 0;
  EXPECT_TRUE(ok) << command.front() << ": " << tool.err();
  return ok;
}

}  // namespace showsaver::test
