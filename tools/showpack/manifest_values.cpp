#include "manifest_values.h"

#include <limits>

namespace showsaver::showpack {
namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

}  // namespace

std::optional<std::int32_t> parse_duration(std::string_view text) {
  // Digits, at most three decimals, then "ms", "s" or nothing (milliseconds).
  std::int64_t whole = 0;
  std::int64_t fraction = 0;
  int decimals = 0;
  std::size_t at = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    whole = whole * 10 + (text[at] - '0');
    if (whole > kInt32Max) return std::nullopt;
  }
  if (at == 0) return std::nullopt;
  if (at < text.size() && text[at] == '.') {
    for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
      if (++decimals > 3) return std::nullopt;
      fraction = fraction * 10 + (text[at] - '0');
    }
    if (decimals == 0) return std::nullopt;
  }
  const std::string_view unit = text.substr(at);
  std::int64_t ms = 0;
  if (unit == "s") {
    while (decimals++ < 3) fraction *= 10;
    ms = whole * 1000 + fraction;
  } else if ((unit == "ms" || unit.empty()) && decimals == 0) {
    ms = whole;
  } else {
    return std::nullopt;
  }
  if (ms > kInt32Max) return std::nullopt;
  return std::int32_t(ms);
}

std::optional<ColorRef> parse_hex_color(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  for (char c : text.substr(1)) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    rgb = rgb << 4 | std::uint32_t(digit);
  }
  // "#RRGGBB" is written in the byte order of a pixel.
  return to_color_ref(Rgb32{rgb});
}

}  // namespace showsaver::showpack
