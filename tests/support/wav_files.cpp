#include "support/wav_files.h"

#include <cmath>
#include <numbers>

#include "formats/wav/wav_encoder.h"

namespace showsaver::test {

std::vector<std::uint8_t> sine_wav(double seconds) {
  constexpr std::uint32_t kRate = 22050;
  std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * kRate));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double phase = 2 * std::numbers::pi * 440.0 * double(i) / kRate;
    samples[i] = static_cast<std::int16_t>(8000 * std::sin(phase));
  }
  return encode_pcm_wav(samples, kRate);
}

}  // namespace showsaver::test
