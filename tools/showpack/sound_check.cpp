#include "sound_check.h"

#include <optional>

#include "formats/byte_reader.h"
#include "formats/wav/wav_structure.h"
#include "platform/sound_format.h"

namespace showsaver::showpack {
namespace {

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
  if (length < 6 || !in.has(8, length)) return worded_fault(Problem::SoundMidiCutShort);
  const unsigned tracks = std::uint32_t{in.u8(10)} << 8 | in.u8(11);
  const unsigned division = std::uint32_t{in.u8(12)} << 8 | in.u8(13);
  if (tracks == 0 || division == 0) return worded_fault(Problem::SoundMidiNoTracks);
  return std::nullopt;
}

std::optional<WordedFault> decode_problem(SoundFormat format, std::span<const std::uint8_t> bytes) {
  switch (format) {
    case SoundFormat::Wav:
      if (auto problem = wav_structure_problem(bytes)) {
        return worded_fault(Problem::SoundWavBroken, {}, {{"reason", std::move(*problem)}});
      }
      return std::nullopt;
    case SoundFormat::Midi:
      return midi_header_problem(bytes);
    case SoundFormat::Unknown:
      return worded_fault(Problem::SoundUnknownFormat);
    default:
      return std::nullopt;
  }
}

std::optional<WordedFault> windows_problem(SoundUse use, SoundFormat format) {
  if (use == SoundUse::SceneSound) {
    if (format == SoundFormat::Wav) return std::nullopt;
    return worded_fault(Problem::SceneSoundNotWav,
                        {{"format", std::string(sound_format_name(format))}});
  }
  if (format == SoundFormat::Ogg) return worded_fault(Problem::SoundOggOnWindows);
  if (format == SoundFormat::Flac) return worded_fault(Problem::SoundFlacOnWindows);
  return std::nullopt;
}

}  // namespace

std::optional<WordedFault> sound_fault(SoundUse use, std::span<const std::uint8_t> bytes) {
  const SoundFormat format = sound_format_of(bytes);
  if (auto problem = decode_problem(format, bytes)) return problem;
  return windows_problem(use, format);
}

}  // namespace showsaver::showpack
