// The preview mode ("/p HWND" or "/p:HWND"): the show plays in the window of
// the control panel's preview box, for as long as that window lasts.
#pragma once

#include <string>

#include "platform/platform.h"
#include "startup/run_state.h"

namespace showsaver {

class ShowObserver;

// Plays the show in the window `arguments` name, as run_show_mode does with
// its preview window: extracted, played, and cleaned up once the window goes.
// Without a handle, or with one that names no window, it ends at once and
// touches nothing.
void run_preview_mode(Platform& platform, RunState& state, const std::string& arguments,
                      ShowObserver* observer);

}  // namespace showsaver
