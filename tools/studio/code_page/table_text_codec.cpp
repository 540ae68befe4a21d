#include "code_page/table_text_codec.h"

#include <algorithm>
#include <cstdint>

#include "code_page/code_page_table.h"

namespace showsaver::studio {
namespace {

// The Unicode tag characters, which iconv leaves out of every conversion.
constexpr std::uint32_t kFirstTag = 0xE0000;
constexpr std::uint32_t kLastTag = 0xE007F;

std::optional<std::uint16_t> look_up(std::span<const CodePair> table, std::uint32_t from) {
  if (from > 0xFFFF) return std::nullopt;
  const auto at =
      std::lower_bound(table.begin(), table.end(), from,
                       [](const CodePair& pair, std::uint32_t key) { return pair.from < key; });
  if (at == table.end() || at->from != from) return std::nullopt;
  return at->to;
}

void append_utf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | c >> 6);
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xE0 | c >> 12);
    out += char(0x80 | (c >> 6 & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// The code point at `at`, moving `at` past it; nothing for anything that is
// not strict UTF-8 (overlong forms, surrogates, beyond U+10FFFF).
std::optional<std::uint32_t> next_code_point(std::string_view text, std::size_t& at) {
  static constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  const auto lead = std::uint8_t(text[at]);
  const int extra = lead < 0x80             ? 0
                    : (lead & 0xE0) == 0xC0 ? 1
                    : (lead & 0xF0) == 0xE0 ? 2
                    : (lead & 0xF8) == 0xF0 ? 3
                                            : -1;
  if (extra < 0 || text.size() - at <= std::size_t(extra)) return std::nullopt;
  std::uint32_t c = extra == 0 ? lead : lead & (0x3Fu >> extra);
  for (int k = 1; k <= extra; ++k) {
    const auto next = std::uint8_t(text[at + std::size_t(k)]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (next & 0x3F);
  }
  if (c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  at += std::size_t(extra) + 1;
  return c;
}

}  // namespace

std::optional<std::string> TableTextCodec::cp932_to_utf8(std::string_view bytes) const {
  const std::span<const CodePair> table = code_page_932_decoding();
  std::string text;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto first = std::uint8_t(bytes[at]);
    std::optional<std::uint16_t> unit = look_up(table, first);
    std::size_t length = 1;
    if (!unit && at + 1 < bytes.size()) {
      unit = look_up(table, std::uint32_t(first) << 8 | std::uint8_t(bytes[at + 1]));
      length = 2;
    }
    if (!unit) return std::nullopt;
    append_utf8(text, *unit);
    at += length;
  }
  return text;
}

std::optional<std::string> TableTextCodec::utf8_to_cp932(std::string_view text) const {
  const std::span<const CodePair> table = code_page_932_encoding();
  std::string bytes;
  for (std::size_t at = 0; at < text.size();) {
    const std::optional<std::uint32_t> c = next_code_point(text, at);
    if (!c) return std::nullopt;
    if (*c >= kFirstTag && *c <= kLastTag) continue;  // glibc's converters drop them
    const std::optional<std::uint16_t> code = look_up(table, *c);
    if (!code) return std::nullopt;
    if (*code > 0xFF) bytes += char(*code >> 8);
    bytes += char(*code & 0xFF);
  }
  return bytes;
}

}  // namespace showsaver::studio
