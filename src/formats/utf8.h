// UTF-8, the text encoding inside the program: the one reader and writer of
// code points that the tools' conversions (the Windows title's UTF-16, the
// studio's code page tables) share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace showsaver {

// The code point at `at`, moving `at` past it; nothing (and `at` unmoved)
// for anything that is not strict UTF-8: a bad or missing continuation byte,
// an overlong form, a surrogate, beyond U+10FFFF.
inline std::optional<char32_t> next_code_point(std::string_view text, std::size_t& at) {
  static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};  // no overlong forms
  const auto lead = std::uint8_t(text[at]);
  const int extra = lead < 0x80             ? 0
                    : (lead & 0xE0) == 0xC0 ? 1
                    : (lead & 0xF0) == 0xE0 ? 2
                    : (lead & 0xF8) == 0xF0 ? 3
                                            : -1;
  if (extra < 0 || text.size() - at <= std::size_t(extra)) return std::nullopt;
  char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    const auto next = std::uint8_t(text[at + std::size_t(k)]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (next & 0x3F);
  }
  if (c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  at += std::size_t(extra) + 1;
  return c;
}

// Appends the UTF-8 form of `c`, a code point up to U+10FFFF.
inline void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | c >> 6);
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | c >> 12);
    out += char(0x80 | (c >> 6 & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | c >> 18);
    out += char(0x80 | (c >> 12 & 0x3F));
    out += char(0x80 | (c >> 6 & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

}  // namespace showsaver
