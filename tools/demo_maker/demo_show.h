// The demo show: which pictures, sounds and music it has, and its scene list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "effects/effect_catalogue.h"
#include "showpack/manifest.h"

namespace showsaver::demo {

constexpr int kShowWidth = 1280;
constexpr int kShowHeight = 720;

struct DemoScene {
  std::string picture = {};  // a picture's name, without folder and suffix
  // The transition out of the scene; under a fade, the fallback of players
  // without cross-fades.
  EffectCode effect = EffectCode::cut;
  int display_ms = 2500;
  std::string sound = {};  // a sound's name, or empty
  bool sprite = false;     // laid over the previous scene, its background let through
  int left = 0, top = 0;
  std::optional<int> fade_ms = {};  // leaves by a cross-fade this long
  // Pans and zooms during its hold: along the path the player picks from
  // the seed, or along the path given.
  std::optional<std::uint32_t> motion_seed = {};
  std::optional<showpack::MotionPath> motion_path = {};
};

// Every transition once, and the cut, in an order that suits the pictures;
// then a round of cross-fades between holds that pan and zoom.  Every scene
// has a picture of its own (the later rounds show the first round's
// pictures mirrored or in other colours).
std::vector<DemoScene> demo_scenes();

// The manifest `showpack build` reads, with pictures/, sounds/ and music/
// beside it.
std::string demo_manifest(const std::vector<DemoScene>& scenes);

}  // namespace showsaver::demo
