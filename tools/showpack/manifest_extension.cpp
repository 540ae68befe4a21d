#include "manifest_extension.h"

#include <cstddef>
#include <cstdint>

namespace showsaver::showpack {

std::optional<ShowExtension> extension_of(const Manifest& manifest) {
  ShowExtension extension;
  if (manifest.shuffle) extension.records.push_back(OrderRecord{ShowOrder::Shuffle});
  for (std::size_t index = 0; index < manifest.scenes.size(); ++index) {
    const ManifestScene& scene = manifest.scenes[index];
    const auto number = static_cast<std::int32_t>(index);
    if (scene.fade_time) extension.records.push_back(FadeRecord{number, *scene.fade_time});
    if (motion_of(manifest, scene) != Motion::PanZoom) continue;
    if (scene.motion_path) {
      extension.records.push_back(
          PanZoomPathRecord{number, scene.motion_path->from, scene.motion_path->to});
    } else {
      extension.records.push_back(
          PanZoomSeedRecord{number, scene.motion_seed.value_or(static_cast<std::uint32_t>(index))});
    }
  }
  if (extension.records.empty()) return std::nullopt;
  return extension;
}

void apply_extension(const ShowExtension& extension, Manifest& manifest) {
  manifest.shuffle = extension.order() == ShowOrder::Shuffle;
  for (std::size_t index = 0; index < manifest.scenes.size(); ++index) {
    ManifestScene& scene = manifest.scenes[index];
    const auto number = static_cast<std::int32_t>(index);
    if (const auto fade = extension.for_scene<FadeRecord>(number)) {
      scene.fade_time = fade->duration_ms;
    }
    if (const auto seeded = extension.for_scene<PanZoomSeedRecord>(number)) {
      scene.motion = Motion::PanZoom;
      scene.motion_seed = seeded->seed;
    } else if (const auto path = extension.for_scene<PanZoomPathRecord>(number)) {
      scene.motion = Motion::PanZoom;
      scene.motion_path = MotionPath{path->start, path->end};
    }
  }
}

}  // namespace showsaver::showpack
