// Little-endian writes to a growing byte buffer: the counterpart of
// ByteReader for the tools and tests that write bitmaps and sound files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace showsaver {

class ByteWriter {
 public:
  void reserve(std::size_t count) { bytes_.reserve(count); }
  void u8(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
  void u16(std::uint32_t value) {
    u8(value & 0xFF);
    u8(value >> 8);
  }
  void u32(std::uint32_t value) {
    u16(value & 0xFFFF);
    u16(value >> 16);
  }
  // The characters of `text` as bytes, such as a chunk's four-letter tag.
  void text(std::string_view text) {
    for (const char c : text) u8(static_cast<unsigned char>(c));
  }
  void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void pad_to(std::size_t multiple) {
    while (bytes_.size() % multiple != 0) u8(0);
  }
  void patch_u32(std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  std::size_t size() const { return bytes_.size(); }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace showsaver
