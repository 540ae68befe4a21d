#include "natural_order.h"

#include <compare>

namespace showsaver::showpack {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// The run of digits at `at`, leading zeros skipped; `at` moves past it.
std::string_view number_at(std::string_view text, std::size_t& at) {
  while (at < text.size() && text[at] == '0' && at + 1 < text.size() && is_digit(text[at + 1])) {
    ++at;
  }
  const std::size_t start = at;
  while (at < text.size() && is_digit(text[at])) ++at;
  return text.substr(start, at - start);
}

std::strong_ordering natural_compare(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (is_digit(a[i]) && is_digit(b[j])) {
      const std::string_view x = number_at(a, i), y = number_at(b, j);
      // Without leading zeros the longer run is the larger number.
      if (x.size() != y.size()) return x.size() <=> y.size();
      if (const auto order = x.compare(y) <=> 0; order != 0) return order;
      continue;
    }
    if (const auto order = lower(a[i]) <=> lower(b[j]); order != 0) return order;
    ++i;
    ++j;
  }
  return (a.size() - i) <=> (b.size() - j);
}

}  // namespace

bool naturally_before(std::string_view a, std::string_view b) {
  const std::strong_ordering order = natural_compare(a, b);
  return order != 0 ? order < 0 : a < b;
}

}  // namespace showsaver::showpack
