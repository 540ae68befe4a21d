// What showpack says about a show's music and scene sounds before anyone
// plays them: a file no player decodes, and one the Windows player cannot
// play on every Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "worded_fault.h"

namespace showsaver::showpack {

enum class SoundUse {
  Music,       // played over and over by the media control interface on Windows
  SceneSound,  // played by PlaySound on Windows, which reads WAV files only
};

// The warning about one file, a sentence that starts with `what` (such as
// `music "tune.ogg"`): that it cannot be decoded (a format no player reads,
// a WAV file whose chunks do not hold together, a MIDI file without a whole
// header), or else that Windows does not play it everywhere.  Nothing when
// every player plays it.
std::optional<std::string> sound_warning(SoundUse use, std::string_view what,
                                         std::span<const std::uint8_t> bytes);

// The same warning with its code: wav-broken (its English reason only in the
// text), midi-cut-short, midi-no-tracks, unknown-format, scene-sound-not-wav
// (format), ogg-on-windows, flac-on-windows.
std::optional<WordedFault> sound_fault(SoundUse use, std::string_view what,
                                       std::span<const std::uint8_t> bytes);

}  // namespace showsaver::showpack
