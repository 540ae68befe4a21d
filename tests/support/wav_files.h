// Sound files for the tests that play them, and hostile ones for the tests
// that must not.
#pragma once

#include <cstdint>
#include <vector>

namespace showsaver::test {

// `seconds` of a 440 Hz sine as a WAV file: 16-bit PCM mono at 22050 Hz.
std::vector<std::uint8_t> sine_wav(double seconds);

// One note, A above middle C on a piano, for a second: a type 0 Standard
// MIDI File.
std::vector<std::uint8_t> one_note_midi();

// WAV files whose sizes run past their data, as a hostile show held them:
// the RIFF chunk claims 0x7FFFFFFF bytes and the format chunk is cut short.
std::vector<std::uint8_t> lying_wav();
// A sound cut off in its data, the sizes left as they were.
std::vector<std::uint8_t> truncated_wav();
// A format of zero-byte blocks, and a data chunk and RIFF chunk that claim
// far more than the file holds (Wine's PlaySound divides by the block size).
std::vector<std::uint8_t> zero_block_wav();

}  // namespace showsaver::test
