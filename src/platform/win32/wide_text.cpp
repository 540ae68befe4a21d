#include "platform/win32/wide_text.h"

#include <windows.h>

#include <climits>
#include <new>

namespace showsaver::win32 {
namespace {

// The conversion calls count in int; a longer text cannot be handed over.
int checked_length(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) throw std::bad_alloc();
  return static_cast<int>(size);
}

std::optional<std::wstring> decode(UINT code_page, DWORD flags, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = checked_length(bytes.size());
  const int length = MultiByteToWideChar(code_page, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, flags, bytes.data(), size, wide.data(), length);
  return wide;
}

std::optional<std::string> encode(UINT code_page, DWORD flags, std::wstring_view text,
                                  BOOL* lossy) {
  if (text.empty()) return std::string();
  const int size = checked_length(text.size());
  const int length =
      WideCharToMultiByte(code_page, flags, text.data(), size, nullptr, 0, nullptr, lossy);
  if (length <= 0 || (lossy != nullptr && *lossy)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(code_page, flags, text.data(), size, bytes.data(), length, nullptr, lossy);
  return bytes;
}

}  // namespace

std::wstring to_wide(std::string_view utf8) {
  return decode(CP_UTF8, 0, utf8).value_or(L"");
}

std::string to_utf8(std::wstring_view wide) {
  return encode(CP_UTF8, 0, wide, nullptr).value_or("");
}

std::optional<std::wstring> decode_strictly(unsigned code_page, std::string_view bytes) {
  return decode(code_page, MB_ERR_INVALID_CHARS, bytes);
}

std::optional<std::string> encode_strictly(unsigned code_page, std::wstring_view text) {
  if (code_page == CP_UTF8) return encode(CP_UTF8, WC_ERR_INVALID_CHARS, text, nullptr);
  // The lossy flag is how a character the code page lacks shows; UTF-8 refuses it.
  BOOL lossy = FALSE;
  return encode(code_page, WC_NO_BEST_FIT_CHARS, text, &lossy);
}

}  // namespace showsaver::win32
