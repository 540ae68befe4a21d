// What showpack says about a show's music and scene sounds before anyone
// plays them: a file no player decodes, and one the Windows player cannot
// play on every Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "worded_fault.h"

namespace showsaver::showpack {

enum class SoundUse {
  Music,       // played over and over by the media control interface on Windows
  SceneSound,  // played by PlaySound on Windows, which reads WAV files only
};

// The warning about one file, the end of a sentence that names it (such as
// `music "tune.ogg"`): that it cannot be decoded (a format no player reads, a
// WAV file whose chunks do not hold together, a MIDI file without a whole
// header), or else that Windows does not play it everywhere.  Nothing when
// every player plays it.  Its codes are the sound faults of problem_codes.h.
std::optional<WordedFault> sound_fault(SoundUse use, std::span<const std::uint8_t> bytes);

}  // namespace showsaver::showpack
