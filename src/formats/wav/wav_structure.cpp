#include "formats/wav/wav_structure.h"

#include <algorithm>
#include <string_view>

#include "formats/byte_reader.h"

namespace showsaver {
namespace {

constexpr std::uint64_t kChunkHeader = 8;
constexpr std::uint32_t kSmallestFormat = 16;
// The format chunk's extension size follows its first 16 bytes.
constexpr std::uint32_t kExtendedFormat = 18;
constexpr std::uint16_t kPcm = 1;

bool tag_at(const ByteReader& in, std::uint64_t offset, std::string_view tag) {
  if (!in.has(offset, tag.size())) return false;
  return std::equal(tag.begin(), tag.end(),
                    in.bytes().begin() + static_cast<std::ptrdiff_t>(offset),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

std::string at(std::uint64_t offset) {
  return " at offset " + std::to_string(offset);
}

// The format chunk's fields, `size` bytes from `offset`.
std::optional<std::string> format_problem(const ByteReader& in, std::uint64_t offset,
                                          std::uint32_t size) {
  if (size < kSmallestFormat) {
    return "the format chunk" + at(offset) + " holds " + std::to_string(size) +
           " bytes, fewer than 16";
  }
  const std::uint16_t tag = in.u16(offset);
  const std::uint16_t channels = in.u16(offset + 2);
  const std::uint32_t rate = in.u32(offset + 4);
  const std::uint32_t byte_rate = in.u32(offset + 8);
  const std::uint16_t block = in.u16(offset + 12);
  const std::uint16_t bits = in.u16(offset + 14);
  if (channels == 0 || rate == 0 || byte_rate == 0 || block == 0) {
    return "the format chunk" + at(offset) +
           " gives no channels, sample rate, byte rate or block size";
  }
  if (tag == kPcm && (bits == 0 || bits % 8 != 0 || block != channels * (bits / 8))) {
    return "the PCM format" + at(offset) + " has " + std::to_string(bits) + "-bit samples in " +
           std::to_string(block) + "-byte blocks of " + std::to_string(channels) + " channels";
  }
  if (tag != kPcm && size >= kExtendedFormat &&
      kExtendedFormat + std::uint64_t{in.u16(offset + 16)} > size) {
    return "the format chunk" + at(offset) + " claims " + std::to_string(in.u16(offset + 16)) +
           " extra bytes it does not hold";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> wav_structure_problem(std::span<const std::uint8_t> file) {
  const ByteReader in(file);
  if (!tag_at(in, 0, "RIFF") || !tag_at(in, 8, "WAVE")) return "not a RIFF WAVE file";
  const std::uint64_t riff_end = kChunkHeader + std::uint64_t{in.u32(4)};
  if (riff_end > file.size()) {
    return "the RIFF chunk claims " + std::to_string(riff_end) + " bytes, the file holds " +
           std::to_string(file.size());
  }
  bool format_seen = false;
  std::uint64_t offset = 12;
  while (offset + kChunkHeader <= riff_end) {
    const std::uint32_t size = in.u32(offset + 4);
    const std::uint64_t data = offset + kChunkHeader;
    if (data + size > riff_end) {
      return "a chunk" + at(offset) + " claims " + std::to_string(size) +
             " bytes, past the end of the RIFF data";
    }
    if (tag_at(in, offset, "fmt ") && !format_seen) {
      if (auto problem = format_problem(in, data, size)) return problem;
      format_seen = true;
    } else if (tag_at(in, offset, "data")) {
      if (!format_seen) return "the data chunk" + at(offset) + " comes before any format chunk";
      return std::nullopt;
    }
    // Chunks of an odd size are followed by a pad byte.
    offset = data + size + (size & 1);
  }
  return format_seen ? "there is no data chunk" : "there is no format chunk";
}

}  // namespace showsaver
