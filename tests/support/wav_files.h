// Sound files for the tests that play them.
#pragma once

#include <cstdint>
#include <vector>

namespace showsaver::test {

// `seconds` of a 440 Hz sine as a WAV file: 16-bit PCM mono at 22050 Hz.
std::vector<std::uint8_t> sine_wav(double seconds);

}  // namespace showsaver::test
