#include "code_page/table_text_codec.h"

#include <algorithm>
#include <cstdint>

#include "code_page/code_page_table.h"
#include "formats/utf8.h"

namespace showsaver::studio {
namespace {

// The Unicode tag characters, which iconv leaves out of every conversion.
constexpr char32_t kFirstTag = 0xE0000;
constexpr char32_t kLastTag = 0xE007F;

std::optional<std::uint16_t> look_up(std::span<const CodePair> table, std::uint32_t from) {
  if (from > 0xFFFF) return std::nullopt;
  const auto at =
      std::lower_bound(table.begin(), table.end(), from,
                       [](const CodePair& pair, std::uint32_t key) { return pair.from < key; });
  if (at == table.end() || at->from != from) return std::nullopt;
  return at->to;
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
    const std::optional<char32_t> c = next_code_point(text, at);
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
