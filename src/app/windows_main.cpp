// The player program on Windows: the Win32 backends for everything, GDI
// drawing the show.
#include <string>

#include "platform/platform.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_gdi.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_media.h"
#include "platform/win32/win32_text_codec.h"
#include "startup/checked_media.h"
#include "startup/program_entry.h"

// clang-format off
// Last: <windows.h> defines SRCCOPY, CLR_INVALID and more as macros, which
// would clash with the seam's constants of the same names.
#include <windows.h>
// clang-format on

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  using namespace showsaver;
  // Before anything can load a DLL: none from the program's folder.
  win32::restrict_dll_search_to_system_folder();
  Win32Gdi gdi;
  Win32Desktop desktop;
  Win32Media system_media;
  Win32Host host(win32::to_utf8(command_line != nullptr ? command_line : L""));
  Win32FileSystem files;
  Win32TextCodec text;
  // The system's players trust the sizes a WAV file claims: the show's are
  // checked first.
  CheckedMedia media(system_media, files, host);
  Platform platform{gdi, desktop, desktop, desktop, desktop, media, host, files, text};
  // When the session ends during the show: close the sound devices (they
  // hold files open), then take back the extracted files and their folder.
  desktop.set_session_end_work([&] {
    system_media.close_everything();
    files.remove_what_it_made();
  });
  run_program(platform);
  return 0;
}
