// The show window, full screen or a preview in another program's window: its
// set-up, the show from start to end with the password check, the show's one
// error handler, and its unloading.
#pragma once

#include <string>

#include "platform/platform.h"
#include "player/background_music.h"
#include "player/scene_player.h"
#include "player/show_context.h"
#include "player/show_observer.h"
#include "player/show_surfaces.h"
#include "player/stop_detector.h"

namespace showsaver {

class ShowWindow {
 public:
  // `observer` (may be null) watches the show's progress.
  ShowWindow(Platform& platform, ShowContext show, ShowObserver* observer = nullptr);
  ShowWindow(const ShowWindow&) = delete;
  ShowWindow& operator=(const ShowWindow&) = delete;

  // Sets up the window and plays the show; returns when it has ended or
  // when a failure of any kind has been reported in the error box.
  void play();
  // Deletes the extracted files, removes their folder and closes the window.
  void unload() noexcept;

 private:
  void set_up();
  // Creates the show window for a picture area of `picture` pixels.
  void open_window(Size picture);
  // Returns true when the show ends, false when it resumes after a failed password check.
  bool end_of_show();
  bool password_switch_on();
  void report_failure(const std::string& description, const std::string& source) noexcept;

  Platform& platform_;
  ShowContext show_;
  ShowSurfaces surfaces_;
  StopDetector stop_;
  BackgroundMusic music_;
  ScenePlayer scenes_;
};

}  // namespace showsaver
