// The stored bytes of a name as a manifest writes them: hexadecimal, a
// space after every two bytes ("ED40 8790").  A manifest records them when
// the code page 932 bytes of a name are not the ones its text encodes to, so
// that a show rebuilt from its extraction stores the very same bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace showsaver::showpack {

std::string name_bytes_text(std::string_view bytes);

// The bytes of `text`: pairs of hexadecimal digits, spaces anywhere between
// pairs; nothing when it is not of that form or empty.
std::optional<std::string> parse_name_bytes(std::string_view text);

}  // namespace showsaver::showpack
