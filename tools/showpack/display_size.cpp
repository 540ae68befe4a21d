#include "display_size.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace showsaver::showpack {
namespace {

// The "WxH" at the start of a word such as "2560x1440+0+0".
std::optional<Size> size_of_word(const std::string& word) {
  int width = 0, height = 0;
  char x = 0;
  if (std::sscanf(word.c_str(), "%d%c%d", &width, &x, &height) != 3 || x != 'x') {
    return std::nullopt;
  }
  if (width < 1 || height < 1) return std::nullopt;
  return Size{width, height};
}

}  // namespace

std::optional<Size> primary_display_size(std::string_view xrandr_output) {
  std::istringstream lines{std::string(xrandr_output)};
  std::optional<Size> first;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string name, state, word;
    if (!(words >> name >> state) || state != "connected") continue;
    bool primary = false;
    while (words >> word) {
      if (word == "primary") {
        primary = true;
      } else if (const auto size = size_of_word(word)) {
        if (primary) return size;
        if (!first) first = size;
        break;
      }
    }
  }
  return first;
}

std::optional<Size> query_primary_display_size() {
  if (!std::getenv("DISPLAY")) return std::nullopt;
  FILE* pipe = ::popen("xrandr --current 2>/dev/null", "r");
  if (!pipe) return std::nullopt;
  std::string output;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.append(buffer, read);
  }
  const int status = ::pclose(pipe);
  if (status != 0) return std::nullopt;
  return primary_display_size(output);
}

}  // namespace showsaver::showpack
