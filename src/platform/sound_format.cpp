#include "platform/sound_format.h"

#include <algorithm>
#include <array>

namespace showsaver {
namespace {

bool has_at(std::span<const std::uint8_t> head, std::size_t offset, std::string_view tag) {
  return head.size() >= offset + tag.size() &&
         std::equal(tag.begin(), tag.end(), head.begin() + static_cast<std::ptrdiff_t>(offset),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

// The ASF header object's GUID, which starts every WMA file.
constexpr std::array<std::uint8_t, 16> kAsfHeader = {
    0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11, 0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};

// An MPEG audio frame header of layer I, II or III: eleven sync bits, then a
// version and a layer that are not the reserved ones.
bool mpeg_audio_frame(std::span<const std::uint8_t> head) {
  if (head.size() < 2 || head[0] != 0xFF || (head[1] & 0xE0) != 0xE0) return false;
  const unsigned version = (head[1] >> 3) & 3;
  const unsigned layer = (head[1] >> 1) & 3;
  return version != 1 && layer != 0;
}

}  // namespace

SoundFormat sound_format_of(std::span<const std::uint8_t> head) {
  if (has_at(head, 0, "RIFF") && has_at(head, 8, "WAVE")) return SoundFormat::Wav;
  if (has_at(head, 0, "MThd") || (has_at(head, 0, "RIFF") && has_at(head, 8, "RMID"))) {
    return SoundFormat::Midi;
  }
  if (has_at(head, 0, "OggS")) return SoundFormat::Ogg;
  if (has_at(head, 0, "fLaC")) return SoundFormat::Flac;
  if (head.size() >= kAsfHeader.size() &&
      std::equal(kAsfHeader.begin(), kAsfHeader.end(), head.begin())) {
    return SoundFormat::Wma;
  }
  if (has_at(head, 0, "ID3") || mpeg_audio_frame(head)) return SoundFormat::Mp3;
  return SoundFormat::Unknown;
}

std::string_view sound_format_name(SoundFormat format) {
  switch (format) {
    case SoundFormat::Wav:
      return "WAV";
    case SoundFormat::Midi:
      return "MIDI";
    case SoundFormat::Mp3:
      return "MP3";
    case SoundFormat::Ogg:
      return "Ogg";
    case SoundFormat::Flac:
      return "FLAC";
    case SoundFormat::Wma:
      return "WMA";
    case SoundFormat::Unknown:
      break;
  }
  return "an unknown format";
}

}  // namespace showsaver
