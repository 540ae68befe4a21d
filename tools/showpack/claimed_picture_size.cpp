#include "claimed_picture_size.h"

namespace showsaver::showpack {
namespace {

std::uint32_t big_endian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
  return value;
}

std::uint32_t little_endian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

std::optional<Size> size_of(std::uint32_t width, std::uint32_t height) {
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return std::nullopt;
  return Size{std::int32_t(width), std::int32_t(height)};
}

// The first start-of-frame marker's height and width.
std::optional<Size> jpeg_size(std::span<const std::uint8_t> file) {
  std::size_t at = 2;
  while (at + 4 <= file.size()) {
    if (file[at] != 0xFF) return std::nullopt;
    const std::uint8_t marker = file[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const std::size_t length = big_endian(file, at + 2, 2);
    const bool start_of_frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (start_of_frame) {
      if (at + 9 > file.size()) return std::nullopt;
      return size_of(big_endian(file, at + 7, 2), big_endian(file, at + 5, 2));
    }
    if (length < 2) return std::nullopt;
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<Size> webp_size(std::span<const std::uint8_t> file) {
  if (file.size() < 30) return std::nullopt;
  const auto chunk = [&](const char* tag) { return std::equal(tag, tag + 4, file.begin() + 12); };
  if (chunk("VP8X")) {
    return size_of(little_endian(file, 24, 3) + 1, little_endian(file, 27, 3) + 1);
  }
  if (chunk("VP8L")) {
    const std::uint32_t bits = little_endian(file, 21, 4);
    return size_of((bits & 0x3FFF) + 1, (bits >> 14 & 0x3FFF) + 1);
  }
  if (chunk("VP8 ")) {
    return size_of(little_endian(file, 26, 2) & 0x3FFF, little_endian(file, 28, 2) & 0x3FFF);
  }
  return std::nullopt;
}

}  // namespace

std::optional<Size> claimed_picture_size(std::span<const std::uint8_t> file, PictureFormat format) {
  switch (format) {
    case PictureFormat::png:  // IHDR, the first chunk
      if (file.size() < 24) return std::nullopt;
      return size_of(big_endian(file, 16, 4), big_endian(file, 20, 4));
    case PictureFormat::gif:  // the logical screen
      if (file.size() < 10) return std::nullopt;
      return size_of(little_endian(file, 6, 2), little_endian(file, 8, 2));
    case PictureFormat::jpeg:
      return jpeg_size(file);
    case PictureFormat::webp:
      return webp_size(file);
    default:
      return std::nullopt;
  }
}

}  // namespace showsaver::showpack
