// Form1: the full-screen show window, its surfaces and the show itself.
#pragma once

#include <cstdint>
#include <string>

#include "effects/effect_random.h"
#include "platform/platform.h"
#include "player/background_music.h"
#include "player/picture_surface.h"
#include "player/show_observer.h"
#include "startup/run_state.h"

namespace showsaver {

class Form1 final : public InputSink {
 public:
  Form1(Platform& platform, const RunState& state, ShowObserver* observer = nullptr);

  // Sets up the window and plays the show; returns when it has ended or failed.
  void Form_Load();
  // Deletes the extracted files and removes their folder.
  void Form_Unload();

  // Input handlers of the window and of its picture area.
  void key_down() override;
  void mouse_down() override;
  void mouse_move() override;

  std::int16_t StopRequested = 0;
  std::int32_t CurrentScene = 0;
  Point StartCursorPos;

 private:
  void set_up();
  void play();
  void show_start();
  void scene_loop();
  void play_one_scene_cycle();
  // Returns true when the show ends, false when it resumes after a failed password check.
  bool end_of_show();
  bool password_switch_on();
  void report_failure(const std::string& description, const std::string& source);

  const SceneRecord& scene(std::int32_t index) const;
  void load_scene_picture(std::int32_t index);
  void compose_incoming_frame(const SceneRecord& incoming);
  void run_transition(std::int32_t effect_code);
  void hide_cursor();
  void show_cursor();

  Platform& platform_;
  const RunState& state_;
  ShowObserver* observer_;
  PictureSurface Picture1;
  PictureSurface NowPicture;
  PictureSurface NextPicture;
  PictureSurface MemPicture;
  BackgroundMusic music_;
  EffectRandom random_;
};

}  // namespace showsaver
