// Paths that mean what they say in a 32-bit program on 64-bit Windows.
// There the system sends what such a program asks of the system folder
// (C:\Windows\System32) to SysWOW64 instead: a 32-bit .scr installed in
// System32 would read its own file, and the settings beside it, from a
// folder where they are not.
#pragma once

namespace showsaver::win32 {

// For the life of this object, on this thread: no file-system redirection
// (Wow64DisableWow64FsRedirection, looked up at run time, then its revert).
// Nothing happens in a 64-bit program or on 32-bit Windows.  Only around
// file calls: the system loads no DLL right while it is off.
class LiteralPaths {
 public:
  LiteralPaths();
  ~LiteralPaths();
  LiteralPaths(const LiteralPaths&) = delete;
  LiteralPaths& operator=(const LiteralPaths&) = delete;

 private:
  void* redirection_ = nullptr;  // what the revert needs
  bool disabled_ = false;
};

}  // namespace showsaver::win32
