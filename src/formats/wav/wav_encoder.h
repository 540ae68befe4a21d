// Sound samples to WAV files, for the tools and tests that make sounds.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace showsaver {

// A WAV file of 16-bit PCM `samples`, one channel, at `sample_rate` a second.
std::vector<std::uint8_t> encode_pcm_wav(std::span<const std::int16_t> samples,
                                         std::uint32_t sample_rate);

}  // namespace showsaver
