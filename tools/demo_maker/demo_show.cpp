#include "demo_show.h"

#include "showpack/manifest_writer.h"

namespace showsaver::demo {

std::vector<DemoScene> demo_scenes() {
  const auto scene = [](const char* picture, EffectCode effect, const char* sound = "") {
    return DemoScene{.picture = picture, .effect = effect, .sound = sound};
  };
  // The balloons lie over the mountains they were drawn against.
  const auto balloons = [](const char* picture, EffectCode effect, int left) {
    return DemoScene{.picture = picture,
                     .effect = effect,
                     .display_ms = 3000,
                     .sound = "whoosh",
                     .sprite = true,
                     .left = left,
                     .top = 70};
  };
  // A long hold that pans and zooms along the path the player picks from
  // `seed`, left by a cross-fade; `fallback` is what players without
  // cross-fades show instead.
  const auto drifting = [](const char* picture, EffectCode fallback, std::uint32_t seed) {
    return DemoScene{.picture = picture,
                     .effect = fallback,
                     .display_ms = 4000,
                     .fade_ms = 1500,
                     .motion_seed = seed};
  };
  // The same along a path from the whole picture into `into`.
  const auto zooming = [](const char* picture, EffectCode fallback, Rect into) {
    const Rect whole{0, 0, kShowWidth, kShowHeight};
    return DemoScene{.picture = picture,
                     .effect = fallback,
                     .display_ms = 4000,
                     .fade_ms = 1500,
                     .motion_path = showpack::MotionPath{whole, into}};
  };
  return {
      scene("mountain-dawn", EffectCode::wipe_bottom),  // the balloons rise into view
      balloons("balloons", EffectCode::slide_top, 120),
      scene("lake-sunset", EffectCode::blinds_down),
      scene("desert-dunes", EffectCode::split_horizontal),
      scene("star-field", EffectCode::random_tiles, "chimes"),
      scene("aurora", EffectCode::slide_right, "whoosh"),
      scene("moonlit-sea", EffectCode::spiral_tiles),
      scene("neon-horizon", EffectCode::box_out),
      scene("penrose-tiling", EffectCode::pinch_horizontal),
      scene("mandala", EffectCode::flip_horizontal, "bell"),
      scene("julia-set", EffectCode::squeeze_left),
      scene("sunflower-spiral", EffectCode::wipe_left, "sparkle"),
      scene("stained-glass", EffectCode::zoom_in),
      scene("tumbling-blocks", EffectCode::push_left),
      scene("moonlit-sea-2", EffectCode::split_vertical),
      scene("mandala-2", EffectCode::slide_left, "bell"),
      scene("aurora-2", EffectCode::slide_bottom, "whoosh"),
      scene("julia-set-2", EffectCode::pinch_vertical),
      scene("stained-glass-2", EffectCode::flip_vertical),
      scene("star-field-2", EffectCode::squeeze_top, "chimes"),
      scene("lake-sunset-2", EffectCode::squeeze_right),
      scene("tumbling-blocks-2", EffectCode::squeeze_bottom),
      scene("desert-dunes-2", EffectCode::wipe_top),
      scene("sunflower-spiral-2", EffectCode::wipe_right, "sparkle"),
      scene("neon-horizon-2", EffectCode::zoom_out),
      scene("penrose-tiling-2", EffectCode::shrink_through_black),
      scene("julia-set-3", EffectCode::push_right),
      scene("mountain-dawn-2", EffectCode::cut),  // the balloons are there at once
      balloons("balloons-2", EffectCode::push_top, 600),
      scene("sunflower-spiral-3", EffectCode::push_bottom),
      drifting("lake-sunset-3", EffectCode::blinds_down, 7),
      drifting("aurora-3", EffectCode::cut, 23),
      // Into the fractal's heart, where its spirals wind tightest.
      zooming("julia-set-4", EffectCode::box_out, Rect{440, 248, 400, 225}),
      drifting("star-field-3", EffectCode::zoom_in, 41),
  };
}

std::string demo_manifest(const std::vector<DemoScene>& scenes) {
  using namespace showpack;
  ManifestName own_name;
  own_name.from_file = true;
  Manifest manifest;
  manifest.file = "demo.toml";
  manifest.width = kShowWidth;
  manifest.height = kShowHeight;
  manifest.back_color = ColorRef{};  // black, also the balloons' transparent colour
  manifest.has_settings = true;
  manifest.music = ManifestFile{"music/demo.mid", {}};
  manifest.music_name = own_name;
  // Shuffled: each round still opens on the mountains with the balloons
  // rising over them (scene 0 comes first and a scene drawn over the
  // previous one keeps following it); after them every round is a new order.
  manifest.shuffle = true;
  for (const DemoScene& scene : scenes) {
    ManifestScene entry;
    entry.picture.path = "pictures/" + scene.picture + ".bmp";
    entry.picture_name = own_name;
    if (!scene.sound.empty()) {
      entry.sound = ManifestFile{"sounds/" + scene.sound + ".wav", {}};
      entry.sound_name = own_name;
    }
    entry.display_time = scene.display_ms;
    entry.effect = static_cast<std::int32_t>(scene.effect);
    if (scene.fade_ms) entry.fade_time = *scene.fade_ms;
    if (scene.motion_seed || scene.motion_path) entry.motion = Motion::PanZoom;
    entry.motion_seed = scene.motion_seed;
    entry.motion_path = scene.motion_path;
    if (scene.sprite) {
      entry.left = scene.left;
      entry.top = scene.top;
      entry.over_previous = entry.transparent = true;
    }
    manifest.scenes.push_back(std::move(entry));
  }
  return manifest_text(manifest,
                       "The demo show, written by demo_maker: every picture, sound and the music\n"
                       "are made by the project's own code.");
}

}  // namespace showsaver::demo
