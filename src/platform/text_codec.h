// Conversion between the package's code page (932) and UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace showsaver {

// Nothing when `bytes` is not valid code page 932 text.
std::optional<std::string> cp932_to_utf8(std::string_view bytes);
// Nothing when `text` is not valid UTF-8 or holds a character code page 932 lacks.
std::optional<std::string> utf8_to_cp932(std::string_view text);

}  // namespace showsaver
