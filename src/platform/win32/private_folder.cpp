#include "platform/win32/private_folder.h"

#include <windows.h>
// Need <windows.h> before them.
#include <sddl.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace showsaver::win32 {
namespace {

struct LocalFreeDeleter {
  void operator()(void* memory) const { LocalFree(memory); }
};

// The string form of the user this program runs as ("S-1-5-21-..."), or
// empty.
std::wstring user_sid() {
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) == FALSE) return L"";
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<std::uint8_t> buffer(size);
  std::wstring text;
  wchar_t* sid_text = nullptr;
  if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) != FALSE &&
      ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid,
                             &sid_text) != FALSE) {
    text = sid_text;
    LocalFree(sid_text);
  }
  CloseHandle(token);
  return text;
}

// D: the access list; P: protected, nothing inherited from the parent;
// OICI: inherited by files and folders inside; FA: full control; SY: the
// system.
std::unique_ptr<void, LocalFreeDeleter> private_descriptor() {
  const std::wstring user = user_sid();
  if (user.empty()) return nullptr;
  const std::wstring text = L"D:P(A;OICI;FA;;;" + user + L")(A;OICI;FA;;;SY)";
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1,
                                                           &descriptor, nullptr) == FALSE) {
    return nullptr;
  }
  return std::unique_ptr<void, LocalFreeDeleter>(descriptor);
}

}  // namespace

bool create_private_folder(const std::wstring& path) {
  const std::unique_ptr<void, LocalFreeDeleter> descriptor = private_descriptor();
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
  return CreateDirectoryW(path.c_str(), descriptor ? &attributes : nullptr) != FALSE;
}

}  // namespace showsaver::win32
