// Code page 932 <-> UTF-8 through the system's own conversion tables.
#include "platform/win32/win32_text_codec.h"

#include <windows.h>

#include <string>

namespace showsaver {
namespace {

constexpr UINT kShiftJis = 932;

std::optional<std::wstring> to_wide(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int length =
      MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
  return wide;
}

std::optional<std::string> from_wide(UINT code_page, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  BOOL* lossy_flag = code_page == CP_UTF8 ? nullptr : &lossy;
  const DWORD flags = code_page == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  const int length =
      WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, lossy_flag);
  if (length <= 0 || lossy) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), size, bytes.data(), length, nullptr,
                      lossy_flag);
  if (lossy) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<std::string> Win32TextCodec::cp932_to_utf8(std::string_view bytes) const {
  const auto wide = to_wide(kShiftJis, bytes);
  if (!wide) return std::nullopt;
  return from_wide(CP_UTF8, *wide);
}

std::optional<std::string> Win32TextCodec::utf8_to_cp932(std::string_view text) const {
  const auto wide = to_wide(CP_UTF8, text);
  if (!wide) return std::nullopt;
  return from_wide(kShiftJis, *wide);
}

}  // namespace showsaver
