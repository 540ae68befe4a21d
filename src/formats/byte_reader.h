// Little-endian reads from a byte span that can never go past its end: the
// one reader of every binary format the program reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace showsaver {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }

  // True when [offset, offset + count) lies inside the bytes.
  bool has(std::uint64_t offset, std::uint64_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }

  // Reads return 0 for every byte outside the bytes; callers check has()
  // first where a missing byte is an error.
  std::uint8_t u8(std::uint64_t offset) const { return has(offset, 1) ? bytes_[offset] : 0; }
  std::uint16_t u16(std::uint64_t offset) const {
    return static_cast<std::uint16_t>(u8(offset) | (u8(offset + 1) << 8));
  }
  std::int16_t i16(std::uint64_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
  std::uint32_t u32(std::uint64_t offset) const {
    return static_cast<std::uint32_t>(u16(offset)) |
           (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
  }
  std::int32_t i32(std::uint64_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

  std::span<const std::uint8_t> bytes() const { return bytes_; }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace showsaver
