// Code page 932 <-> UTF-8 through the system's own conversion tables.
#include "platform/win32/win32_text_codec.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace showsaver {
namespace {

constexpr UINT kShiftJis = 932;

}  // namespace

std::optional<std::string> Win32TextCodec::cp932_to_utf8(std::string_view bytes) const {
  const auto wide = win32::decode_strictly(kShiftJis, bytes);
  if (!wide) return std::nullopt;
  return win32::encode_strictly(CP_UTF8, *wide);
}

std::optional<std::string> Win32TextCodec::utf8_to_cp932(std::string_view text) const {
  const auto wide = win32::decode_strictly(CP_UTF8, text);
  if (!wide) return std::nullopt;
  return win32::encode_strictly(kShiftJis, *wide);
}

}  // namespace showsaver
