// The demo's scene sounds, synthesised as 16-bit PCM WAV files.
#pragma once

#include <cstdint>
#include <vector>

namespace showsaver::demo {

constexpr int kSampleRate = 44100;

// Wind chimes: a few metal tubes struck one after another.
std::vector<std::int16_t> synthesise_chimes();
// A soft whoosh: noise through a band-pass that sweeps up and down.
std::vector<std::int16_t> synthesise_whoosh();
// A small bell, by frequency modulation.
std::vector<std::int16_t> synthesise_bell();
// A harp-like run up a pentatonic scale, plucked strings.
std::vector<std::int16_t> synthesise_sparkle();

// A mono 16-bit PCM WAV file of `samples` at kSampleRate.
std::vector<std::uint8_t> wav_file(const std::vector<std::int16_t>& samples);

}  // namespace showsaver::demo
