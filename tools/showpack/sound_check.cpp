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
std::optional<WordedFault> midi_header_problem(std::span<const std::uint8_t> bytes) {
  const ByteReader in(bytes);
  if (bytes.size() >= 4 && bytes[0] != 'M') return std::nullopt;
  const std::uint32_t length = big_endian_u32(in, 4);
  if (length < 6 || !in.has(8, length)) {
    return WordedFault{"midi-cut-short", {}, "the MIDI header is cut short"};
  }
  const unsigned tracks = std::uint32_t{in.u8(10)} << 8 | in.u8(11);
  const unsigned division = std::uint32_t{in.u8(12)} << 8 | in.u8(13);
  if (tracks == 0 || division == 0) {
    return WordedFault{"midi-no-tracks", {}, "the MIDI header names no tracks or no time division"};
  }
  return std::nullopt;
}

std::optional<WordedFault> decode_problem(SoundFormat format, std::span<const std::uint8_t> bytes) {
  switch (format) {
    case SoundFormat::Wav:
      if (auto problem = wav_structure_problem(bytes)) {
        return WordedFault{"wav-broken", {}, std::move(*problem)};
      }
      return std::nullopt;
    case SoundFormat::Midi:
      return midi_header_problem(bytes);
    case SoundFormat::Unknown:
      return WordedFault{"unknown-format", {}, "it is none of WAV, MIDI, MP3, Ogg, FLAC and WMA"};
    default:
      return std::nullopt;
  }
}

std::optional<WordedFault> windows_problem(SoundUse use, SoundFormat format) {
  if (use == SoundUse::SceneSound) {
    if (format == SoundFormat::Wav) return std::nullopt;
    const std::string name(sound_format_name(format));
    return WordedFault{"scene-sound-not-wav",
                       {{"format", name}},
                       "is " + name + ", and the Windows player plays scene sounds only as WAV"};
  }
  if (format == SoundFormat::Ogg) {
    return WordedFault{
        "ogg-on-windows",
        {},
        "is Ogg, which Windows does not play out of the box" + std::string(kSafeFormats)};
  }
  if (format == SoundFormat::Flac) {
    return WordedFault{
        "flac-on-windows",
        {},
        "is FLAC, which Windows plays only from Windows 10 on" + std::string(kSafeFormats)};
  }
  return std::nullopt;
}

}  // namespace

std::optional<WordedFault> sound_fault(SoundUse use, std::string_view what,
                                       std::span<const std::uint8_t> bytes) {
  const SoundFormat format = sound_format_of(bytes);
  if (auto problem = decode_problem(format, bytes)) {
    problem->text = std::string(what) + " cannot be decoded: " + problem->text;
    return problem;
  }
  if (auto problem = windows_problem(use, format)) {
    problem->text = std::string(what) + " " + problem->text;
    return problem;
  }
  return std::nullopt;
}

std::optional<std::string> sound_warning(SoundUse use, std::string_view what,
                                         std::span<const std::uint8_t> bytes) {
  auto fault = sound_fault(use, what, bytes);
  if (!fault) return std::nullopt;
  return std::move(fault->text);
}

}  // namespace showsaver::showpack
