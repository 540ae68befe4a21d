#include "startup/screen_saver_switch.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

#include "common/runtime_failure.h"
#include "common/show_math.h"

namespace showsaver {
namespace {

std::string_view trim_spaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t skip_digits(std::string_view text, std::size_t position) {
  while (position < text.size() && is_digit(text[position])) ++position;
  return position;
}

// The longest leading decimal number: sign, digits, fraction, exponent.
std::string leading_number(std::string_view text) {
  std::size_t end = 0;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  const std::size_t integer_end = skip_digits(text, end);
  std::size_t digit_count = integer_end - end;
  end = integer_end;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fraction_end = skip_digits(text, end + 1);
    digit_count += fraction_end - end - 1;
    end = fraction_end;
  }
  if (digit_count == 0) return {};
  if (end < text.size() && (text[end] == 'E' || text[end] == 'e')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponent_end = skip_digits(text, exponent);
    if (exponent_end > exponent) end = exponent_end;
  }
  return std::string(text.substr(0, end));
}

}  // namespace

SaverMode saver_mode_for(const std::string& arguments) {
  if (trim_spaces(arguments).empty()) return SaverMode::Settings;
  std::string selector = arguments.substr(0, 2);
  for (char& c : selector) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (selector == "/S") return SaverMode::Show;
  if (selector == "/C") return SaverMode::Settings;
  if (selector == "/A") return SaverMode::PasswordChange;
  if (selector == "/P") return SaverMode::Preview;
  return SaverMode::None;
}

std::int32_t password_parent_from(const std::string& arguments) {
  if (arguments.size() <= 2) return 0;
  const std::string number = leading_number(trim_spaces(std::string_view(arguments).substr(2)));
  if (number.empty()) return 0;
  try {
    return round_half_even(std::strtod(number.c_str(), nullptr));
  } catch (const RuntimeFailure&) {
    return 0;  // does not fit 32 bits
  }
}

std::uintptr_t window_handle_after_switch(const std::string& arguments) {
  if (arguments.size() <= 2) return 0;
  std::string_view rest = std::string_view(arguments).substr(2);
  if (!rest.empty() && rest.front() == ':') rest.remove_prefix(1);
  rest = trim_spaces(rest);
  std::uintptr_t handle = 0;
  for (std::size_t i = 0; i < rest.size() && is_digit(rest[i]); ++i) {
    const auto digit = static_cast<std::uintptr_t>(rest[i] - '0');
    if (handle > (UINTPTR_MAX - digit) / 10) return 0;
    handle = handle * 10 + digit;
  }
  return handle;
}

}  // namespace showsaver
