#include "name_rules.h"

#include <cstdio>

#include "startup/extraction.h"
#include "startup/package_writer.h"

namespace showsaver::showpack {
namespace {

// NAME_MAX on Linux file systems; Windows allows 255 characters.
constexpr std::size_t kLongestName = 255;

std::optional<std::string> character_problem(std::string_view name) {
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "%02X", byte);
      return "holds the control character U+00" + std::string(code);
    }
    if (c == '/' || c == '\\') return "holds a path separator ('" + std::string(1, c) + "')";
    if (c == ':') return "holds ':', a drive or stream separator on Windows";
    if (std::string_view("<>\"|?*").find(c) != std::string_view::npos) {
      return "holds '" + std::string(1, c) + "', which Windows does not allow in file names";
    }
  }
  return std::nullopt;
}

}  // namespace

std::string fold_case(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return folded;
}

std::optional<std::string> stored_name_problem(std::string_view name) {
  if (name.empty()) return "is empty";
  if (name == "." || name == "..") return "is \".\" or \"..\", which names a folder";
  if (auto problem = character_problem(name)) return problem;
  if (name.back() == ' ' || name.back() == '.') {
    return "ends with a space or '.', which Windows drops from file names";
  }
  if (is_device_name(name)) return "is a device name on Windows";
  if (name.size() > kLongestName) {
    return "is " + std::to_string(name.size()) + " bytes long; a file name holds at most 255";
  }
  return cp932_problem(name);
}

}  // namespace showsaver::showpack
