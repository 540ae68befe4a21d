// Text at the edge of the Win32 API: UTF-8 inside the program, UTF-16 in the
// wide ("W") calls, and the strict conversions the code page codec builds on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace showsaver::win32 {

// The wide form of `utf8` for an API call.  An invalid byte sequence becomes
// U+FFFD, as the system's own conversion does.
std::wstring to_wide(std::string_view utf8);
// The UTF-8 form of what an API call gave back; an unpaired surrogate becomes U+FFFD.
std::string to_utf8(std::wstring_view wide);

// `bytes` in `code_page` as UTF-16; nothing when they are not valid text there.
std::optional<std::wstring> decode_strictly(unsigned code_page, std::string_view bytes);
// `text` in `code_page`; nothing when it holds an unpaired surrogate or a
// character the code page lacks (no best-fit replacements).
std::optional<std::string> encode_strictly(unsigned code_page, std::wstring_view text);

}  // namespace showsaver::win32
