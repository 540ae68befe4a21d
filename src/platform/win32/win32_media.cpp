#include "platform/win32/win32_media.h"

#include <windows.h>

#include <optional>
#include <variant>
#include <vector>

#include "platform/media_command.h"
#include "platform/sound_format.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/winmm.h"

namespace showsaver {
namespace {

// `command`, or for the open of a file that can be read, the open form that
// names the device its bytes call for.
std::string with_device_type(const std::string& command) {
  const std::variant<MediaCommand, unsigned> parsed = parse_media_command(command);
  const MediaCommand* open = std::get_if<MediaCommand>(&parsed);
  if (open == nullptr || open->verb != MediaVerb::Open) return command;
  const std::optional<Bytes> head =
      Win32FileSystem().read_file_prefix(open->path, kSoundFormatBytes);
  // The device reports a file it cannot read itself.
  if (!head) return command;
  return typed_open_command(open->path, media_device_type(sound_format_of(*head)));
}

}  // namespace

unsigned Win32Media::send_media_command(const std::string& command, std::string& reply,
                                        unsigned reply_capacity) {
  std::vector<wchar_t> buffer(reply_capacity, L'\0');
  const unsigned long error =
      win32::mci_send_string(win32::to_wide(with_device_type(command)).c_str(),
                             buffer.empty() ? nullptr : buffer.data(), reply_capacity);
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
  if (path == nullptr) return win32::play_sound(nullptr, flags);
  return win32::play_sound(win32::to_wide(*path).c_str(), flags);
}

void Win32Media::close_everything() {
  win32::play_sound(nullptr, 0);
  win32::mci_send_string(L"close all", nullptr, 0);
}

}  // namespace showsaver
