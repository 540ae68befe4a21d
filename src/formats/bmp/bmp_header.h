// The headers of a Windows bitmap file, read into one description.
//
// Accepted: the OS/2 core header (12 bytes), the OS/2 2.x header (16 to 64
// bytes) and the Windows info header with all its later versions (40, 52, 56,
// 108, 124 bytes and longer); 1, 4, 8, 16, 24 and 32 bits per pixel; BI_RGB,
// BI_RLE8, BI_RLE4 and BI_BITFIELDS.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace showsaver::bmp {

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitfields = 3;

inline constexpr std::uint64_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;

struct BmpLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // always positive
  bool top_down = false;
  int bit_count = 0;
  std::uint32_t compression = kBiRgb;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue for BI_BITFIELDS
  std::vector<std::uint32_t> palette;    // 0x00RRGGBB
  std::uint64_t pixel_offset = 0;        // where the pixel data starts in the file
};

// Why a bitmap of `bit_count` bits a pixel, `compression`, an OS/2 header or
// a Windows one, and rows top-down or not, is none that this loader reads;
// empty when it is one.  The writer holds itself to the same rules.
std::string pixel_format_problem(int bit_count, std::uint32_t compression, bool os2_header,
                                 bool top_down);

// The layout, or why the file is not a bitmap this loader reads.
std::variant<BmpLayout, std::string> parse_bmp_layout(std::span<const std::uint8_t> file);

}  // namespace showsaver::bmp
