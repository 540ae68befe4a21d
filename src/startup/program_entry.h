// The program's entry: single instance, package, settings, and the switch.
#pragma once

#include "platform/platform.h"
#include "startup/run_state.h"

namespace showsaver {

class ShowObserver;

inline constexpr const char* kPasswordProvider = "SCRSAVE";

// Runs the program once.  `observer` (may be null) watches the show's progress.
void run_program(Platform& platform, ShowObserver* observer = nullptr);

// The steps of run_program, for callers that need the state (tests and tools).
RunState read_run_state(Platform& platform);
// Show mode: extracts the files into a fresh folder, plays the show, cleans up.
// With a `preview_window`, the show plays in that window as a preview
// (ShowContext::PreviewWindow) and says nothing in boxes.
void run_show_mode(Platform& platform, RunState& state, ShowObserver* observer,
                   WindowHandle preview_window = 0);

}  // namespace showsaver
