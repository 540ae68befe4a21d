// Writes to a growing byte buffer: the counterpart of ByteReader, and the one
// place that lays out the bytes of every binary file the program, its tools
// and its tests write.  Little-endian, as all of Windows' formats are; the
// few big-endian fields (MIDI's) say so in their names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace showsaver {

class ByteWriter {
 public:
  ByteWriter() = default;
  // Goes on after `bytes`, or rewrites a field in them with patch_u32().
  explicit ByteWriter(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  void reserve(std::size_t count) { bytes_.reserve(count); }
  void u8(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
  void u16(std::uint32_t value) {
    u8(value & 0xFF);
    u8(value >> 8);
  }
  // Three bytes: a 24-bit pixel's blue, green and red of 0x00RRGGBB.
  void u24(std::uint32_t value) {
    u16(value & 0xFFFF);
    u8((value >> 16) & 0xFF);
  }
  void u32(std::uint32_t value) {
    u16(value & 0xFFFF);
    u16(value >> 16);
  }
  void u16_big_endian(std::uint32_t value) {
    u8(value >> 8);
    u8(value & 0xFF);
  }
  void u24_big_endian(std::uint32_t value) {
    u8(value >> 16);
    u16_big_endian(value & 0xFFFF);
  }
  void u32_big_endian(std::uint32_t value) {
    u16_big_endian(value >> 16);
    u16_big_endian(value & 0xFFFF);
  }
  // The characters of `text` as bytes, such as a chunk's four-letter tag.
  void text(std::string_view text) {
    for (const char c : text) u8(static_cast<unsigned char>(c));
  }
  // UTF-16 code units, little-endian, as Windows' wide strings are stored.
  void utf16(std::u16string_view units) {
    for (const char16_t unit : units) u16(unit);
  }
  void append(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  }
  void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void pad_to(std::size_t multiple) {
    while (bytes_.size() % multiple != 0) u8(0);
  }
  void patch_u32(std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  std::size_t size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace showsaver
