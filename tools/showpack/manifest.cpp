#include "manifest.h"

#include <toml++/toml.h>

#include <string_view>

#include "file_io.h"
#include "manifest_checks.h"
#include "manifest_keys.h"
#include "manifest_table_reader.h"
#include "package/show_extension.h"
#include "toml_error_text.h"

namespace showsaver::showpack {
namespace {

namespace keys = manifest_keys;

void read_back_color(TableReader& show, Manifest& manifest) {
  const toml::node* node = show.find(keys::kBackColor, false);
  if (!node) return;
  if (const auto text = node->value_exact<std::string>()) {
    if (const auto color = parse_hex_color(*text)) {
      manifest.back_color = *color;
    } else {
      show.problem(location_of(node->source()), std::string(keys::kBackColor) + " \"" + *text +
                                                    "\" is not of the form \"#RRGGBB\"");
    }
    return;
  }
  if (const auto color = show.integer(keys::kBackColor, 0, 0xFFFFFF, false)) {
    manifest.back_color = ColorRef{std::uint32_t(*color)};
  }
}

void read_show(const toml::table& table, ManifestResult& result) {
  Manifest& manifest = result.manifest;
  TableReader show(table, "[" + std::string(keys::kShow) + "]", result);
  manifest.show_where = show.where();
  manifest.width = std::int32_t(show.integer(keys::kWidth, 1, 32767, true).value_or(0));
  manifest.height = std::int32_t(show.integer(keys::kHeight, 1, 32767, true).value_or(0));
  check_picture_area(show, manifest);
  read_back_color(show, manifest);
  manifest.has_settings = show.boolean(keys::kHasSettings);
  manifest.music = show.file(keys::kMusic, false);
  manifest.music_name = show.name(keys::kMusicName, keys::kMusicNameBytes, manifest.music);
  manifest.title = show.string(keys::kTitle, false);
  manifest.fit = show.fit(keys::kFit);
  if (const auto order = show.string(keys::kOrder, false)) {
    manifest.shuffle = *order == keys::kShuffle;
    if (!manifest.shuffle && *order != keys::kStoredOrder) {
      show.problem(*show.place_of(keys::kOrder), std::string(keys::kOrder) + " must be \"" +
                                                     std::string(keys::kStoredOrder) + "\" or \"" +
                                                     std::string(keys::kShuffle) + "\"");
    }
  }
  manifest.motion = show.motion(keys::kMotion);
  show.report_unknown_keys();
}

// The transition: one of the catalogue's, or a cross-fade with its time and
// the catalogue's transition that players without cross-fades show instead.
void read_effect(TableReader& reader, ManifestScene& scene) {
  const toml::node* node = reader.find(keys::kEffect, false);
  if (node && node->value_exact<std::string>() == std::string(keys::kFade)) {
    scene.fade_time = reader.duration(keys::kFadeTime, false).value_or(kDefaultFadeMs);
    check_fade_time(reader, scene);
    scene.effect = reader.effect(keys::kFallbackEffect).value_or(0);
    return;
  }
  scene.effect = reader.effect(keys::kEffect).value_or(0);
  check_fade_keys_unused(reader);
}

void read_motion(TableReader& reader, ManifestScene& scene) {
  for (const std::string_view key :
       {keys::kMotion, keys::kMotionSeed, keys::kMotionFrom, keys::kMotionTo}) {
    if (const auto place = reader.place_of(key)) {
      scene.motion_where = *place;
      break;
    }
  }
  scene.motion = reader.motion(keys::kMotion);
  if (const auto seed = reader.integer(keys::kMotionSeed, 0, 0xFFFFFFFF, false)) {
    scene.motion_seed = std::uint32_t(*seed);
  }
  const auto from = reader.rect(keys::kMotionFrom);
  const auto to = reader.rect(keys::kMotionTo);
  if (from && to) scene.motion_path = MotionPath{*from, *to};
  check_motion_keys(reader, scene);
}

// `number` counts the scenes from 1, as people do.
ManifestScene read_scene(const toml::table& table, std::size_t number, ManifestResult& result) {
  TableReader reader(table, "scene " + std::to_string(number), result);
  ManifestScene scene;
  scene.where = reader.where();
  const std::optional<ManifestFile> picture = reader.file(keys::kPicture, true);
  if (picture) scene.picture = *picture;
  scene.picture_name = reader.name(keys::kPictureName, keys::kPictureNameBytes, picture);
  scene.sound = reader.file(keys::kSound, false);
  scene.sound_name = reader.name(keys::kSoundName, keys::kSoundNameBytes, scene.sound);
  scene.display_time = reader.duration(keys::kDisplayTime, true).value_or(0);
  if (const auto left = reader.integer(keys::kLeft, -32768, 32767, false)) scene.left = *left;
  if (const auto top = reader.integer(keys::kTop, -32768, 32767, false)) scene.top = *top;
  read_effect(reader, scene);
  scene.fit = reader.fit(keys::kFit);
  read_motion(reader, scene);
  scene.over_previous = reader.boolean(keys::kOverPrevious).value_or(false);
  scene.transparent = reader.boolean(keys::kTransparent).value_or(false);
  reader.report_unknown_keys();
  return scene;
}

void read_document(const toml::table& document, ManifestResult& result) {
  Manifest& manifest = result.manifest;
  TableReader top(document, "manifest", result);
  const toml::node* show = top.find(keys::kShow, false);
  const toml::node* scenes = top.find(keys::kScene, false);
  top.report_unknown_keys();

  if (!show || !show->is_table()) {
    top.problem(show ? location_of(show->source()) : SourceLocation{1, 1},
                "a [" + std::string(keys::kShow) + "] table is needed");
  } else {
    read_show(*show->as_table(), result);
  }
  const toml::array* scene_array = scenes ? scenes->as_array() : nullptr;
  if (!scene_array || scene_array->empty() || !scene_array->is_array_of_tables()) {
    top.problem(scenes ? location_of(scenes->source()) : SourceLocation{1, 1},
                "one or more [[" + std::string(keys::kScene) + "]] tables are needed");
  } else {
    for (std::size_t index = 0; index < scene_array->size(); ++index) {
      manifest.scenes.push_back(
          read_scene(*scene_array->get_as<toml::table>(index), index + 1, result));
    }
  }
  check_motion_moves(result);
}

}  // namespace

Motion motion_of(const Manifest& manifest, const ManifestScene& scene) {
  return scene.motion.value_or(manifest.motion.value_or(Motion::None));
}

bool settings_offered(const Manifest& manifest) {
  if (manifest.has_settings) return *manifest.has_settings;
  bool has_sound = manifest.music.has_value();
  for (const ManifestScene& scene : manifest.scenes) has_sound |= scene.sound.has_value();
  return has_sound;
}

std::string ManifestProblem::text(std::string_view severity) const {
  std::string place = path_text(file);
  if (where.line != 0)
    place += ":" + std::to_string(where.line) + ":" + std::to_string(where.column);
  return place + ": " + std::string(severity) + ": " + message;
}

ManifestResult load_manifest(const std::filesystem::path& file) {
  ManifestResult result;
  result.manifest.file = file;
  const FileRead text = read_whole_file(file);
  if (text.error) {
    result.problems.push_back({file, {}, *text.error});
    return result;
  }
  try {
    const std::string_view document_text(reinterpret_cast<const char*>(text.bytes.data()),
                                         text.bytes.size());
    const toml::table document = toml::parse(document_text, path_text(file));
    read_document(document, result);
  } catch (const toml::parse_error& error) {
    result.problems.push_back(
        {file, location_of(error.source()), plain_toml_error(error.description())});
  }
  return result;
}

}  // namespace showsaver::showpack
