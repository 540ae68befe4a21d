#include "package/file_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace showsaver {

bool is_device_name(std::string_view name) {
  std::string stem(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

std::optional<std::string> unsafe_name_reason(std::string_view name) {
  if (name == "." || name == "..") return "is \".\" or \"..\", which names a folder";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "%02X", byte);
      return "holds the control character U+00" + std::string(code);
    }
    if (c == '/' || c == '\\') return "holds a path separator ('" + std::string(1, c) + "')";
    if (c == ':') return "holds ':', a drive or stream separator on Windows";
  }
  if (is_device_name(name)) return "is a device name on Windows";
  if (std::equal(name.begin(), name.end(), kInUseMarkerName.begin(), kInUseMarkerName.end(),
                 [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; })) {
    return "is the name the player keeps for its own mark";
  }
  return std::nullopt;
}

}  // namespace showsaver
