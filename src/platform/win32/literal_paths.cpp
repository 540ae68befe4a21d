#include "platform/win32/literal_paths.h"

#include <windows.h>

namespace showsaver::win32 {

#ifdef _WIN64

LiteralPaths::LiteralPaths() = default;
LiteralPaths::~LiteralPaths() = default;

#else

namespace {

using RedirectionFunction = BOOL(WINAPI*)(PVOID*);
using RevertFunction = BOOL(WINAPI*)(PVOID);

struct Redirection {
  RedirectionFunction disable = nullptr;
  RevertFunction revert = nullptr;
};

const Redirection& redirection() {
  static const Redirection functions = [] {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return Redirection{};
    return Redirection{reinterpret_cast<RedirectionFunction>(reinterpret_cast<void*>(
                           GetProcAddress(kernel, "Wow64DisableWow64FsRedirection"))),
                       reinterpret_cast<RevertFunction>(reinterpret_cast<void*>(
                           GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")))};
  }();
  return functions;
}

}  // namespace

LiteralPaths::LiteralPaths() {
  const Redirection& functions = redirection();
  if (functions.disable == nullptr || functions.revert == nullptr) return;
  // Fails on 32-bit Windows, where there is nothing to switch off.
  disabled_ = functions.disable(&redirection_) != FALSE;
}

LiteralPaths::~LiteralPaths() {
  if (disabled_) redirection().revert(redirection_);
}

#endif

}  // namespace showsaver::win32
