// Show start and the scene loop.
#include "common/message_wait.h"
#include "common/runtime_failure.h"
#include "common/show_math.h"
#include "effects/effect_module.h"
#include "player/form1.h"
#include "player/transparent_blt_func.h"

namespace showsaver {

inline constexpr const char* kFileNotFoundDescription = "ファイルが見つかりません。";

void Form1::play() {
  do {
    show_start();
    scene_loop();
  } while (!end_of_show());
}

const SceneRecord& Form1::scene(std::int32_t index) const {
  const std::size_t stored = state_.package.stored_scene_count();
  if (index < 0 || static_cast<std::size_t>(index) >= stored) {
    throw RuntimeFailure(std::string(kSubscriptDescription) + " (scene " +
                         std::to_string(index) + " of " + std::to_string(stored) +
                         " stored, SceneCount " + std::to_string(state_.package.SceneCount) +
                         ")");
  }
  return (*state_.package.Scenes)[static_cast<std::size_t>(index)];
}

void Form1::load_scene_picture(std::int32_t index) {
  const std::string path = state_.TempFolder + scene(index).PictureFileName;
  if (!platform_.files.is_plain_file(path)) {
    throw RuntimeFailure(std::string(kFileNotFoundDescription) + " (" + path + ")");
  }
  MemPicture.load_picture(path);
}

void Form1::show_start() {
  hide_cursor();
  StopRequested = 0;
  CurrentScene = 0;
  StartCursorPos = platform_.desktop.GetCursorPos();
  const SceneRecord& first = scene(0);
  Picture1.clear();
  Picture1.draw_picture(MemPicture, first.PictureLeft, first.PictureTop);
  Picture1.refresh();
}

void Form1::scene_loop() {
  while (StopRequested != kStop) play_one_scene_cycle();
}

void Form1::play_one_scene_cycle() {
  Desktop& desktop = platform_.desktop;
  // The hold counts from here, so loading and composing happen inside it.
  const std::int32_t hold_start = desktop.GetTickCount();
  const std::int32_t hold = scene(CurrentScene).DisplayTime;

  const std::int32_t outgoing_index = CurrentScene;
  const SceneRecord& outgoing = scene(outgoing_index);
  NowPicture.clear();
  if (outgoing.OverPrevious != 0) {
    NowPicture.copy_image(Picture1);
  } else {
    NowPicture.draw_picture(MemPicture, outgoing.PictureLeft, outgoing.PictureTop);
  }

  CurrentScene = outgoing_index == state_.package.SceneCount - 1 ? 0 : outgoing_index + 1;
  const SceneRecord& incoming = scene(CurrentScene);
  MemPicture.clear();
  load_scene_picture(CurrentScene);
  compose_incoming_frame(incoming);

  wait_with_messages(desktop, hold_start, hold, StopRequested);
  music_.play_cue(incoming.SoundFileName);
  if (observer_ != nullptr) {
    observer_->transition_starting(outgoing_index, CurrentScene, outgoing.EffectCode);
  }
  run_transition(outgoing.EffectCode);
  Picture1.refresh();
  if (observer_ != nullptr) observer_->transition_finished();
  music_.poll();
  desktop.process_messages();
}

void Form1::compose_incoming_frame(const SceneRecord& incoming) {
  NextPicture.clear();
  if (incoming.OverPrevious == 0) {
    NextPicture.draw_picture(MemPicture, incoming.PictureLeft, incoming.PictureTop);
    return;
  }
  NextPicture.copy_image(NowPicture);
  if (incoming.Transparent != 0) {
    BlitTransparent(platform_.gdi, NextPicture.dc(), incoming.PictureLeft, incoming.PictureTop,
                    MemPicture.width(), MemPicture.height(), MemPicture.dc(), 0, 0,
                    NextPicture.background());
  } else {
    NextPicture.draw_picture(MemPicture, incoming.PictureLeft, incoming.PictureTop);
  }
}

void Form1::run_transition(std::int32_t effect_code) {
  if (effect_code == 0) {
    Picture1.copy_image(NextPicture);
    return;
  }
  EffectEnvironment environment{platform_.gdi, platform_.desktop, StopRequested, random_};
  run_effect(effect_code, Picture1, NowPicture, NextPicture, environment);
}

}  // namespace showsaver
