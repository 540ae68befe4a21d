#include "sound_check.h"

#include <optional>

#include "formats/byte_reader.h"
#include "formats/wav/wav_structure.h"
#include "platform/sound_format.h"

namespace showsaver::showpack {
namespace {

constexpr std::string_view kSafeFormats =
    "; the formats every Windows plays are WAV, MIDI, MP3 and WMA";

std::uint32_t big_endian_u32(const ByteReader& in, std::uint64_t offset) {
  return std::uint32_t{in.u8(offset)} << 24 | std::uint32_t{in.u8(offset + 1)} << 16 |
         std::uint32_t{in.u8(offset + 2)} << 8 | in.u8(offset + 3);
}

// A Standard MIDI File's header chunk: at least 6 bytes, all there, naming
// at least one track and a time division.  (A RIFF RMID file is passed.)
std::optional<std::string> midi_header_problem(std::span<const std::uint8_t> bytes) {
  const ByteReader in(bytes);
  if (bytes.size() >= 4 && bytes[0] != 'M') return std::nullopt;
  const std::uint32_t length = big_endian_u32(in, 4);
  if (length < 6 || !in.has(8, length)) return "the MIDI header is cut short";
  const unsigned tracks = std::uint32_t{in.u8(10)} << 8 | in.u8(11);
  const unsigned division = std::uint32_t{in.u8(12)} << 8 | in.u8(13);
  if (tracks == 0 || division == 0) return "the MIDI header names no tracks or no time division";
  return std::nullopt;
}

std::optional<std::string> decode_problem(SoundFormat format, std::span<const std::uint8_t> bytes) {
  switch (format) {
    case SoundFormat::Wav:
      return wav_structure_problem(bytes);
    case SoundFormat::Midi:
      return midi_header_problem(bytes);
    case SoundFormat::Unknown:
      return std::string("it is none of WAV, MIDI, MP3, Ogg, FLAC and WMA");
    default:
      return std::nullopt;
  }
}

std::optional<std::string> windows_problem(SoundUse use, SoundFormat format) {
  if (use == SoundUse::SceneSound) {
    if (format == SoundFormat::Wav) return std::nullopt;
    return "is " + std::string(sound_format_name(format)) +
           ", and the Windows player plays scene sounds only as WAV";
  }
  if (format == SoundFormat::Ogg) {
    return "is Ogg, which Windows does not play out of the box" + std::string(kSafeFormats);
  }
  if (format == SoundFormat::Flac) {
    return "is FLAC, which Windows plays only from Windows 10 on" + std::string(kSafeFormats);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> sound_warning(SoundUse use, std::string_view what,
                                         std::span<const std::uint8_t> bytes) {
  const SoundFormat format = sound_format_of(bytes);
  if (auto problem = decode_problem(format, bytes)) {
    return std::string(what) + " cannot be decoded: " + *problem;
  }
  if (auto problem = windows_problem(use, format)) return std::string(what) + " " + *problem;
  return std::nullopt;
}

}  // namespace showsaver::showpack
