#include "platform/win32/win32_media.h"

#include <windows.h>
// Needs <windows.h> before it.
#include <mmsystem.h>

#include <vector>

#include "platform/media_command.h"
#include "platform/win32/wide_text.h"

namespace showsaver {

unsigned Win32Media::send_media_command(const std::string& command, std::string& reply,
                                        unsigned reply_capacity) {
  std::vector<wchar_t> buffer(reply_capacity, L'\0');
  const MCIERROR error =
      mciSendStringW(win32::to_wide(command).c_str(), buffer.empty() ? nullptr : buffer.data(),
                     reply_capacity, nullptr);
  // The buffer holds a terminated reply; a full buffer without a terminator is cut.
  std::wstring_view answer(buffer.data(), buffer.size());
  answer = answer.substr(0, answer.find(L'\0'));
  reply = win32::to_utf8(answer);
  // UTF-8 may take more bytes than the wide characters were.
  fit_reply_to_capacity(reply, reply_capacity);
  // The high word names the device for errors of a driver of its own.
  return LOWORD(error);
}

bool Win32Media::play_sound(const std::string* path, unsigned flags) {
  if (path == nullptr) return PlaySoundW(nullptr, nullptr, flags) != FALSE;
  return PlaySoundW(win32::to_wide(*path).c_str(), nullptr, flags) != FALSE;
}

void Win32Media::close_everything() {
  PlaySoundW(nullptr, nullptr, 0);
  mciSendStringW(L"close all", nullptr, 0, nullptr);
}

}  // namespace showsaver
