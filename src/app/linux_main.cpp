// The player program on Linux: SDL2 for the window and input, the software
// GDI for drawing, POSIX for files and host services.
#include <SDL.h>

#include <string>

#include "platform/platform.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_host.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_media.h"
#include "platform/soft/soft_gdi.h"
#include "startup/program_entry.h"
#include "startup/screen_saver_switch.h"

namespace {

// The command line after the program's name, as Windows hands it over.
std::string joined_arguments(int argc, char** argv) {
  std::string arguments;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) arguments += ' ';
    arguments += argv[i];
  }
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace showsaver;
  const std::string arguments = joined_arguments(argc, argv);
  const SaverMode mode = saver_mode_for(arguments);
  const bool needs_display = mode == SaverMode::Show || mode == SaverMode::Settings;
  if (SDL_Init(SDL_INIT_VIDEO) != 0 && needs_display) {
    SDL_Log("Cannot start: %s", SDL_GetError());
    return 1;
  }
  {
    SoftGdi gdi;
    SdlDesktop desktop(gdi);
    SdlMedia media;
    PosixHost host(running_program_path(argc > 0 ? argv[0] : ""), arguments);
    PosixFileSystem files;
    IconvTextCodec text;
    Platform platform{gdi, desktop, media, host, files, text};
    run_program(platform);
  }
  SDL_Quit();
  return 0;
}
