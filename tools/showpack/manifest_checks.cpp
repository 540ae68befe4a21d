#include "manifest_checks.h"

#include <string>
#include <string_view>

#include "manifest_keys.h"
#include "package/show_extension.h"
#include "picture_area.h"

namespace showsaver::showpack {
namespace {

namespace keys = manifest_keys;

}  // namespace

void check_picture_area(TableReader& show, const Manifest& manifest) {
  if (auto problem = picture_area_problem({manifest.width, manifest.height})) {
    show.problem(show.where(), *problem);
  }
}

void check_fade_time(TableReader& reader, const ManifestScene& scene) {
  if (*scene.fade_time >= 1 && *scene.fade_time <= kLongestFadeMs) return;
  reader.problem(*reader.place_of(keys::kFadeTime),
                 std::string(keys::kFadeTime) + " " + std::to_string(*scene.fade_time) +
                     " ms is out of range 1 ms.." + std::to_string(kLongestFadeMs / 1000) + " s");
}

void check_fade_keys_unused(TableReader& reader) {
  for (const std::string_view key : {keys::kFadeTime, keys::kFallbackEffect}) {
    if (reader.find(key, false)) {
      reader.problem(*reader.place_of(key), std::string(key) + " is given without " +
                                                std::string(keys::kEffect) + " = \"" +
                                                std::string(keys::kFade) + "\"");
    }
  }
}

void check_motion_keys(TableReader& reader, const ManifestScene& scene) {
  if (reader.place_of(keys::kMotionFrom).has_value() !=
      reader.place_of(keys::kMotionTo).has_value()) {
    reader.problem(scene.motion_where, std::string(keys::kMotionFrom) + " and " +
                                           std::string(keys::kMotionTo) + " go together");
  }
  if (scene.motion_seed && scene.motion_path) {
    reader.problem(scene.motion_where, "give " + std::string(keys::kMotionSeed) + " or " +
                                           std::string(keys::kMotionFrom) + " and " +
                                           std::string(keys::kMotionTo) + ", not both");
  }
}

// A path or seed for a picture that does not move is a mistake, not a choice.
void check_motion_moves(ManifestResult& result) {
  const Manifest& manifest = result.manifest;
  for (std::size_t index = 0; index < manifest.scenes.size(); ++index) {
    const ManifestScene& scene = manifest.scenes[index];
    if ((scene.motion_seed || scene.motion_path) && motion_of(manifest, scene) == Motion::None) {
      result.problems.push_back({manifest.file, scene.motion_where,
                                 "scene " + std::to_string(index + 1) +
                                     ": a motion path or seed is given but the picture does not "
                                     "move; add motion = \"" +
                                     std::string(keys::kPanZoom) + "\""});
    }
  }
}

}  // namespace showsaver::showpack
