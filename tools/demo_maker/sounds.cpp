#include "sounds.h"

#include <algorithm>
#include <cmath>

#include "formats/wav/wav_encoder.h"
#include "noise.h"

namespace showsaver::demo {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<double> silence(double seconds) {
  return std::vector<double>(std::size_t(seconds * kSampleRate), 0.0);
}

// Scales to a peak of `peak` of full scale, with a short fade at both ends
// so that nothing clicks.
std::vector<std::int16_t> to_pcm(const std::vector<double>& signal, double peak) {
  double loudest = 1e-9;
  for (double v : signal) loudest = std::max(loudest, std::fabs(v));
  std::vector<std::int16_t> samples(signal.size());
  const std::size_t fade = kSampleRate / 200;
  for (std::size_t i = 0; i < signal.size(); ++i) {
    double gain = peak / loudest;
    if (i < fade) gain *= double(i) / double(fade);
    if (signal.size() - i < fade) gain *= double(signal.size() - i) / double(fade);
    samples[i] = std::int16_t(std::lround(std::clamp(signal[i] * gain, -1.0, 1.0) * 32767));
  }
  return samples;
}

// A struck tube: inharmonic partials, the higher ones dying sooner.
void strike(std::vector<double>& signal, double at, double frequency, double loudness) {
  constexpr double kRatios[] = {1.0, 2.76, 5.40, 8.93};
  constexpr double kLevels[] = {1.0, 0.55, 0.30, 0.16};
  const auto first = std::size_t(at * kSampleRate);
  for (std::size_t i = first; i < signal.size(); ++i) {
    const double t = double(i - first) / kSampleRate;
    double v = 0;
    for (int p = 0; p < 4; ++p) {
      v += kLevels[p] * std::exp(-t * (2.2 + 3.0 * p)) *
           std::sin(2 * kPi * frequency * kRatios[p] * t);
    }
    signal[i] += loudness * v * std::min(1.0, t * 2000);
  }
}

}  // namespace

std::vector<std::int16_t> synthesise_chimes() {
  std::vector<double> signal = silence(2.2);
  constexpr double kKeys[] = {1318.5, 1568.0, 1975.5, 1760.0, 2637.0};  // E6 G6 B6 A6 E7
  for (int i = 0; i < 5; ++i) strike(signal, 0.11 * i, kKeys[i], 1.0 - 0.12 * i);
  return to_pcm(signal, 0.5);
}

std::vector<std::int16_t> synthesise_whoosh() {
  std::vector<double> signal = silence(1.3);
  Random random(7);
  // A state-variable band-pass whose centre rises and falls with the swell.
  double low = 0, band = 0;
  for (std::size_t i = 0; i < signal.size(); ++i) {
    const double t = double(i) / double(signal.size());
    const double swell = std::pow(std::sin(kPi * t), 2.0);
    const double centre = 250 + 2200 * std::pow(std::sin(kPi * std::pow(t, 0.8)), 2.0);
    const double f = 2 * std::sin(kPi * centre / kSampleRate);
    const double input = random.uniform() * 2 - 1;
    const double high = input - low - 0.6 * band;
    band += f * high;
    low += f * band;
    signal[i] = band * swell;
  }
  return to_pcm(signal, 0.45);
}

std::vector<std::int16_t> synthesise_bell() {
  std::vector<double> signal = silence(2.6);
  constexpr double kCarrier = 659.25;  // E5
  for (std::size_t i = 0; i < signal.size(); ++i) {
    const double t = double(i) / kSampleRate;
    const double index = 4.0 * std::exp(-t * 2.5);
    const double modulator = std::sin(2 * kPi * kCarrier * 1.4 * t);
    signal[i] = std::exp(-t * 1.6) * std::sin(2 * kPi * kCarrier * t + index * modulator) *
                std::min(1.0, t * 1500);
  }
  return to_pcm(signal, 0.5);
}

std::vector<std::int16_t> synthesise_sparkle() {
  std::vector<double> signal = silence(1.8);
  constexpr double kKeys[] = {523.25, 587.33, 659.25, 783.99, 880.0, 1046.5, 1174.7, 1318.5};
  for (int n = 0; n < 8; ++n) {
    const auto first = std::size_t(0.07 * n * kSampleRate);
    // A plucked string: a few harmonics, the higher ones fading faster.
    for (std::size_t i = first; i < signal.size(); ++i) {
      const double t = double(i - first) / kSampleRate;
      double v = 0;
      for (int harmonic = 1; harmonic <= 4; ++harmonic) {
        v += std::exp(-t * (3.0 + 2.5 * harmonic)) / harmonic *
             std::sin(2 * kPi * kKeys[n] * harmonic * t);
      }
      signal[i] += v * std::min(1.0, t * 3000) * (0.7 + 0.04 * n);
    }
  }
  return to_pcm(signal, 0.45);
}

std::vector<std::uint8_t> wav_file(const std::vector<std::int16_t>& samples) {
  return encode_pcm_wav(samples, kSampleRate);
}

}  // namespace showsaver::demo
