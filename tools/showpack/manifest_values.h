// The forms a manifest writes its values in, beside TOML's own: times and
// colours.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/color.h"

namespace showsaver::showpack {

// "2500", "2500ms", "2.5s" or "3s" in milliseconds; nothing when the text is
// not one of these forms or out of 0..2147483647.
std::optional<std::int32_t> parse_duration(std::string_view text);

// "#RRGGBB", in the byte order of a pixel; nothing for any other text.
std::optional<ColorRef> parse_hex_color(std::string_view text);

}  // namespace showsaver::showpack
