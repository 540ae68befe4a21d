#include "player/scene_player.h"

#include <algorithm>
#include <span>

#include "common/message_wait.h"
#include "common/runtime_failure.h"
#include "common/show_math.h"
#include "effects/cross_fade_transition.h"
#include "effects/run_effect.h"
#include "platform/player_texts.h"
#include "player/hold_motion.h"
#include "player/transparent_blit.h"

namespace showsaver {
namespace {

// The scenes a round plays: the first SceneCount stored.
std::span<const SceneRecord> shown_scenes(const ShowPackage& package) {
  if (!package.Scenes || package.SceneCount <= 0) return {};
  const auto count = std::min(package.Scenes->size(), static_cast<std::size_t>(package.SceneCount));
  return std::span<const SceneRecord>(package.Scenes->data(), count);
}

bool shuffled(const ShowPackage& package) {
  return package.Extension && package.Extension->order() == ShowOrder::Shuffle &&
         !shown_scenes(package).empty();
}

std::optional<FadeRecord> fade_out_of(const ShowPackage& package, std::int32_t scene) {
  if (!package.Extension) return std::nullopt;
  return package.Extension->for_scene<FadeRecord>(scene);
}

}  // namespace

ScenePlayer::ScenePlayer(Platform& platform, const ShowContext& show, ShowSurfaces& surfaces,
                         StopDetector& stop, BackgroundMusic& music, ShowObserver* observer)
    : platform_(platform),
      show_(show),
      surfaces_(surfaces),
      stop_(stop),
      music_(music),
      observer_(observer) {}

const SceneRecord& ScenePlayer::scene(std::int32_t index) const {
  const std::size_t stored = show_.package.stored_scene_count();
  if (index < 0 || static_cast<std::size_t>(index) >= stored) {
    throw RuntimeFailure(std::string(kSubscriptDescription) + " (scene " + std::to_string(index) +
                         " of " + std::to_string(stored) + " stored, SceneCount " +
                         std::to_string(show_.package.SceneCount) + ")");
  }
  return (*show_.package.Scenes)[static_cast<std::size_t>(index)];
}

void ScenePlayer::load_scene_picture(std::int32_t index) {
  const std::string path = show_.TempFolder + scene(index).PictureFileName;
  if (!platform_.files.is_plain_file(path)) {
    throw RuntimeFailure(std::string(kFileNotFoundDescription) + " (" + path + ")");
  }
  surfaces_.MemPicture.load_picture(path);
}

void ScenePlayer::show_start() {
  stop_.hide_cursor();
  stop_.arm();
  CurrentScene = 0;
  shuffled_rounds_.reset();
  if (shuffled(show_.package)) {
    const auto seed = static_cast<std::uint32_t>(platform_.loop.tick_count());
    shuffled_rounds_.emplace(shown_scenes(show_.package), seed);
    if (observer_ != nullptr) observer_->order_shuffled(seed);
  }
  const SceneRecord& first = scene(0);
  surfaces_.Picture1.clear();
  surfaces_.Picture1.draw_picture(surfaces_.MemPicture, first.PictureLeft, first.PictureTop);
  surfaces_.Picture1.refresh();
}

void ScenePlayer::scene_loop() {
  while (!stop_.stop_requested()) play_one_scene_cycle();
}

void ScenePlayer::play_one_scene_cycle() {
  MessageLoop& loop = platform_.loop;
  // The hold counts from here, so loading and composing happen inside it.
  const std::int32_t hold_start = loop.tick_count();
  const std::int32_t hold = scene(CurrentScene).DisplayTime;

  const std::int32_t outgoing_index = CurrentScene;
  const SceneRecord& outgoing = scene(outgoing_index);
  surfaces_.NowPicture.clear();
  if (outgoing.OverPrevious != 0) {
    surfaces_.NowPicture.copy_image(surfaces_.Picture1);
  } else {
    surfaces_.NowPicture.draw_picture(surfaces_.MemPicture, outgoing.PictureLeft,
                                      outgoing.PictureTop);
  }

  if (shuffled_rounds_) {
    CurrentScene = shuffled_rounds_->next();
  } else {
    CurrentScene = outgoing_index == show_.package.SceneCount - 1 ? 0 : outgoing_index + 1;
  }
  const SceneRecord& incoming = scene(CurrentScene);
  surfaces_.MemPicture.clear();
  load_scene_picture(CurrentScene);
  compose_incoming_frame(incoming);

  const auto path = motion_path(show_.package.Extension, outgoing_index,
                                {surfaces_.NowPicture.width(), surfaces_.NowPicture.height()});
  if (observer_ != nullptr) observer_->hold_starting(outgoing_index, path.has_value());
  if (path) {
    hold_with_motion(platform_.gdi, loop, surfaces_.Picture1, surfaces_.NowPicture, *path,
                     hold_start, hold, stop_.StopRequested());
  } else {
    wait_with_messages(loop, hold_start, hold, stop_.StopRequested());
  }
  music_.play_cue(incoming.SoundFileName);
  const auto fade = fade_out_of(show_.package, outgoing_index);
  if (observer_ != nullptr) {
    observer_->transition_begins(
        {outgoing_index, CurrentScene, outgoing.EffectCode,
         fade ? std::optional<std::int32_t>(fade->duration_ms) : std::nullopt});
  }
  run_transition(fade, outgoing.EffectCode);
  surfaces_.Picture1.refresh();
  if (observer_ != nullptr) observer_->transition_finished();
  music_.poll();
  loop.process_messages();
}

void ScenePlayer::compose_incoming_frame(const SceneRecord& incoming) {
  surfaces_.NextPicture.clear();
  if (incoming.OverPrevious == 0) {
    surfaces_.NextPicture.draw_picture(surfaces_.MemPicture, incoming.PictureLeft,
                                       incoming.PictureTop);
    return;
  }
  surfaces_.NextPicture.copy_image(surfaces_.NowPicture);
  if (incoming.Transparent != 0) {
    BlitTransparent(platform_.gdi, surfaces_.NextPicture.dc(), incoming.PictureLeft,
                    incoming.PictureTop, surfaces_.MemPicture.width(),
                    surfaces_.MemPicture.height(), surfaces_.MemPicture.dc(), 0, 0,
                    surfaces_.NextPicture.background());
  } else {
    surfaces_.NextPicture.draw_picture(surfaces_.MemPicture, incoming.PictureLeft,
                                       incoming.PictureTop);
  }
}

void ScenePlayer::run_transition(const std::optional<FadeRecord>& fade, std::int32_t effect_code) {
  if (fade) {
    EffectEnvironment environment{platform_.gdi, platform_.loop, stop_.StopRequested(), random_};
    run_cross_fade(surfaces_.Picture1, surfaces_.NowPicture, surfaces_.NextPicture, environment,
                   fade->duration_ms);
    return;
  }
  if (effect_code == 0) {
    surfaces_.Picture1.copy_image(surfaces_.NextPicture);
    return;
  }
  EffectEnvironment environment{platform_.gdi, platform_.loop, stop_.StopRequested(), random_};
  run_effect(effect_code, surfaces_.Picture1, surfaces_.NowPicture, surfaces_.NextPicture,
             environment);
}

}  // namespace showsaver
