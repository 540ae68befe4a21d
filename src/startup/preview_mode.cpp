#include "startup/preview_mode.h"

#include "startup/program_entry.h"
#include "startup/screen_saver_switch.h"

namespace showsaver {

void run_preview_mode(Platform& platform, RunState& state, const std::string& arguments,
                      ShowObserver* observer) {
  const WindowHandle host = window_handle_after_switch(arguments);
  if (host == 0 || !platform.windows.window_exists(host)) return;
  run_show_mode(platform, state, observer, host);
}

}  // namespace showsaver
