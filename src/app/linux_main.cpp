// The player program on Linux.  Show mode: an SDL2 window and input, dialogs
// on GTK 3.  Display mode (a screen locker's "-root" or "-window-id"): plain
// Xlib into the locker's window.  Always: the software GDI for drawing,
// SDL2_mixer for sound, POSIX for files and host services, and SIGTERM,
// SIGINT and SIGHUP as a clean end of the show.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/gtk/gtk_dialogs.h"
#include "platform/platform.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_host.h"
#include "platform/posix/termination_signals.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_dialogs.h"
#include "platform/sdl/sdl_media.h"
#include "platform/soft/soft_gdi.h"
#include "platform/x11/logged_dialogs.h"
#include "platform/x11/x11_window_desktop.h"
#include "startup/display_mode.h"
#include "startup/program_entry.h"
#include "startup/screen_saver_switch.h"

namespace {

using namespace showsaver;

// The command line after the program's name, as Windows hands it over.
std::string joined_arguments(const std::vector<std::string>& arguments) {
  std::string joined;
  for (const std::string& argument : arguments) {
    if (!joined.empty()) joined += ' ';
    joined += argument;
  }
  return joined;
}

// Says why the show ended when a signal ended it.
void log_end_request(Host& host, const TerminationSignals& signals) {
  if (const int received = signals.received()) {
    host.log(std::string("Ended on SIG") + sigabbrev_np(received) + ".");
  }
}

// The locker's window: "-window-id", else $XSCREENSAVER_WINDOW, else 0 (the root window).
std::uint64_t display_window(const DisplayModeRequest& request) {
  if (request.window_id) return *request.window_id;
  const char* named = std::getenv("XSCREENSAVER_WINDOW");
  return named != nullptr ? parse_window_id(named).value_or(0) : 0;
}

int run_display(const DisplayModeRequest& request, const std::string& program,
                const std::string& arguments, const TerminationSignals& signals) {
  SoftGdi gdi;
  X11WindowDesktop desktop(display_window(request), gdi, signals.fd());
  PosixHost host(program, arguments);
  if (!desktop.connected()) {
    host.log("Cannot start the display mode: " + desktop.error());
    return 1;
  }
  SdlMedia media([&host](const std::string& message) { host.log(message); });
  PosixFileSystem files;
  IconvTextCodec text;
  LoggedDialogs dialogs;
  NoPowerEvents power;
  Platform platform{gdi, desktop, desktop, dialogs, power, media, host, files, text};
  run_display_mode(platform, request);
  log_end_request(host, signals);
  return 0;
}

int run_switch(const std::string& program, const std::string& arguments,
               const TerminationSignals& signals) {
  // The show tells the system when a screen saver runs; SDL must not decide it.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (saver_mode_for(arguments) == SaverMode::Show && SDL_Init(SDL_INIT_VIDEO) != 0) {
    SDL_Log("Cannot start: %s", SDL_GetError());
    return 1;
  }
  {
    SdlDialogs sdl_dialogs;
    GtkDialogs dialogs(sdl_dialogs, signals.fd(), std::filesystem::path(program).stem().string());
    SoftGdi gdi;
    SdlDesktop desktop(gdi, dialogs, signals.fd());
    PosixHost host(program, arguments);
    SdlMedia media([&host](const std::string& message) { host.log(message); });
    PosixFileSystem files;
    IconvTextCodec text;
    NoPowerEvents power;
    // The message boxes and the settings dialog are GTK's, over the show window.
    Platform platform{gdi, desktop, desktop, desktop, power, media, host, files, text};
    run_program(platform);
    log_end_request(host, signals);
  }
  // A switch that selects nothing is a mistake here, where a person typed it.
  if (saver_mode_for(arguments) == SaverMode::None) {
    std::cerr << command_line_usage(std::filesystem::path(program).filename());
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything starts a thread, so every thread shares the handlers.
  const TerminationSignals signals;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  const std::string program = running_program_path(argc > 0 ? argv[0] : "");
  const std::string joined = joined_arguments(arguments);
  if (arguments.size() == 1 && arguments[0] == "--version") {
    std::cout << "showsaver " SHOWSAVER_VERSION "\n";
    return 0;
  }
  const DisplayModeArguments display = read_display_mode_arguments(arguments);
  if (!display.error.empty()) {
    // A locker shows nothing of a program that ends at once: say why, and
    // fail, so that its log and its preview tell.
    const std::string name = std::filesystem::path(argc > 0 ? argv[0] : "showsaver").filename();
    std::cerr << name << ": " << display.error << '\n' << command_line_usage(name);
    return 2;
  }
  const int status = display.request ? run_display(*display.request, program, joined, signals)
                                     : run_switch(program, joined, signals);
  SDL_Quit();
  return status;
}
