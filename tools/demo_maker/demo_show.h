// The demo show: which pictures, sounds and music it has, and its scene list.
#pragma once

#include <string>
#include <vector>

#include "effects/effect_catalogue.h"

namespace showsaver::demo {

constexpr int kShowWidth = 1280;
constexpr int kShowHeight = 720;

struct DemoScene {
  std::string picture;  // a picture's name, without folder and suffix
  EffectCode effect;    // the transition out of the scene
  int display_ms = 2500;
  std::string sound;    // a sound's name, or empty
  bool sprite = false;  // laid over the previous scene, its background let through
  int left = 0, top = 0;
};

// Every transition once, and the cut, in an order that suits the pictures;
// every scene has a picture of its own (the second round shows the first
// round's pictures mirrored or in other colours).
std::vector<DemoScene> demo_scenes();

// The manifest `showpack build` reads, with pictures/, sounds/ and music/
// beside it.
std::string demo_manifest(const std::vector<DemoScene>& scenes);

}  // namespace showsaver::demo
