#include "platform/win32/program_file.h"

#include <windows.h>

#include <vector>

#include "platform/win32/literal_paths.h"

namespace showsaver::win32 {
namespace {

// `path` with every short (8.3) name spelled out, or as it is.
std::wstring long_form(const std::wstring& path) {
  const LiteralPaths literal_paths;
  const DWORD size = GetLongPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return path;
  std::wstring long_path(size, L'\0');
  const DWORD length = GetLongPathNameW(path.c_str(), long_path.data(), size);
  if (length == 0 || length >= size) return path;
  long_path.resize(length);
  return long_path;
}

}  // namespace

std::wstring running_program_path() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return L"";
    if (length < buffer.size()) return long_form(std::wstring(buffer.data(), length));
    if (buffer.size() >= 32768) return L"";
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring program_base_name(std::wstring path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) path.erase(0, slash + 1);
  const std::size_t dot = path.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) path.erase(dot);
  if (!path.empty()) CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
  return path;
}

}  // namespace showsaver::win32
