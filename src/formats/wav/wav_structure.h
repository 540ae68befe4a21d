// A WAV file's RIFF structure checked against its length before any player
// reads it: a player that trusts the sizes a file claims may read past its
// end or divide by a zero it was given (Wine's PlaySound ends the process on
// such a file).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace showsaver {

// Nothing when `file` (the whole file) is a sound WAV file: "RIFF" and
// "WAVE", a RIFF size the file holds, chunks that each fit in it, a format
// chunk of at least 16 bytes before the data chunk, with channels, a sample
// rate, a byte rate and a block size that are not zero (for PCM a block that
// holds one sample of each channel), and a data chunk.  Otherwise a sentence
// that says what is wrong and where.
std::optional<std::string> wav_structure_problem(std::span<const std::uint8_t> file);

}  // namespace showsaver
