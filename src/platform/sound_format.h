// What kind of sound a file holds, told by its first bytes as the players
// tell it, whatever its name says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace showsaver {

enum class SoundFormat { Wav, Midi, Mp3, Ogg, Flac, Wma, Unknown };

// How many leading bytes `sound_format_of` looks at at most.
inline constexpr std::size_t kSoundFormatBytes = 16;

// The format of a file starting with `head` (fewer bytes than the file has
// are enough): RIFF WAVE; a Standard MIDI File or a RIFF RMID one; MP3 with an
// ID3 tag or from its first frame; Ogg; FLAC; WMA in its ASF container.
SoundFormat sound_format_of(std::span<const std::uint8_t> head);

// "WAV", "MIDI", "MP3", "Ogg", "FLAC", "WMA" or "an unknown format".
std::string_view sound_format_name(SoundFormat format);

}  // namespace showsaver
