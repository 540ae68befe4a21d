#include "platform/win32/registry_number.h"

#include <windows.h>

#include <algorithm>

namespace showsaver::win32 {
namespace {

// Leading decimal digits of UTF-16LE text, after blanks; saturates at 2^32 - 1.
std::uint32_t leading_number(std::span<const std::uint8_t> data) {
  std::uint64_t number = 0;
  std::size_t i = 0;
  const auto unit = [&](std::size_t at) {
    return static_cast<char16_t>(data[at] | (data[at + 1] << 8));
  };
  while (i + 1 < data.size() && unit(i) == u' ') i += 2;
  for (; i + 1 < data.size(); i += 2) {
    const char16_t c = unit(i);
    if (c < u'0' || c > u'9') break;
    number = std::min<std::uint64_t>(number * 10 + static_cast<unsigned>(c - u'0'), 0xFFFFFFFFu);
  }
  return static_cast<std::uint32_t>(number);
}

}  // namespace

std::optional<std::uint32_t> registry_number(std::uint32_t type,
                                             std::span<const std::uint8_t> data) {
  if (type == REG_SZ || type == REG_EXPAND_SZ) return leading_number(data);
  if (data.size() > 4) return std::nullopt;
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < data.size(); ++i) number |= std::uint32_t{data[i]} << (8 * i);
  return number;
}

}  // namespace showsaver::win32
