#include "manifest.h"

#include <toml++/toml.h>

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

#include "effects/effect_catalogue.h"
#include "file_io.h"
#include "manifest_keys.h"
#include "name_bytes.h"
#include "picture_area.h"
#include "spelling_suggestion.h"
#include "toml_error_text.h"

namespace showsaver::showpack {
namespace {

namespace keys = manifest_keys;

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kDefaultFadeMs = 1000;
constexpr std::int32_t kLongestFadeMs = 60'000;
// The bounds the package extension holds a pan-and-zoom rectangle to.
constexpr std::int64_t kLargestCoordinate = 65'535;

SourceLocation location_of(const toml::source_region& region) {
  return {region.begin.line, region.begin.column};
}

std::string path_text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string unknown_effect_message(std::string_view key, std::string_view text) {
  std::vector<std::string_view> names;
  for (const Effect& effect : effect_catalogue()) names.push_back(effect.name);
  const std::string listed = word_list(names);
  // The cross-fade is no catalogue transition; a fallback cannot be one.
  const bool fade_allowed = key == keys::kEffect;
  if (fade_allowed) names.push_back(keys::kFade);
  std::string message =
      std::string(key) + " \"" + std::string(text) + "\" is not a transition's name";
  if (const auto near = closest_spelling(text, names))
    message += "; did you mean \"" + *near + "\"?";
  return message + " The names are: " + listed + " (or their codes 0 to " +
         std::to_string(kLastEffect) + ")" +
         (fade_allowed ? ", or \"" + std::string(keys::kFade) + "\" for a cross-fade" : "");
}

// Reads the keys of one table, checking types and ranges, and remembers
// which keys were read so that the rest can be reported as unknown.
class TableReader {
 public:
  TableReader(const toml::table& table, std::string context, ManifestResult& result)
      : table_(table), context_(std::move(context)), result_(result) {}

  SourceLocation where() const { return location_of(table_.source()); }

  void problem(SourceLocation where, const std::string& message) {
    result_.problems.push_back({result_.manifest.file, where, context_ + ": " + message});
  }

  // The value of `key`, or nothing (reported when `required`).
  const toml::node* find(std::string_view key, bool required) {
    if (std::find(known_.begin(), known_.end(), key) == known_.end()) known_.push_back(key);
    const toml::node* node = table_.get(key);
    if (!node && required) problem(where(), std::string(key) + " is missing");
    return node;
  }

  std::optional<std::int64_t> integer(std::string_view key, std::int64_t min, std::int64_t max,
                                      bool required) {
    const toml::node* node = find(key, required);
    if (!node) return std::nullopt;
    const auto value = node->value_exact<std::int64_t>();
    if (!value) {
      problem(location_of(node->source()), std::string(key) + " must be an integer");
      return std::nullopt;
    }
    if (*value < min || *value > max) {
      problem(location_of(node->source()), std::string(key) + " " + std::to_string(*value) +
                                               " is out of range " + std::to_string(min) + ".." +
                                               std::to_string(max));
      return std::nullopt;
    }
    return value;
  }

  std::optional<bool> boolean(std::string_view key) {
    const toml::node* node = find(key, false);
    if (!node) return std::nullopt;
    const auto value = node->value_exact<bool>();
    if (!value) problem(location_of(node->source()), std::string(key) + " must be true or false");
    return value;
  }

  std::optional<std::string> string(std::string_view key, bool required) {
    const toml::node* node = find(key, required);
    if (!node) return std::nullopt;
    const auto value = node->value_exact<std::string>();
    if (!value) problem(location_of(node->source()), std::string(key) + " must be a string");
    return value;
  }

  // A file path, relative to the manifest's folder.
  std::optional<ManifestFile> file(std::string_view key, bool required) {
    const std::optional<std::string> text = string(key, required);
    if (!text) return std::nullopt;
    const SourceLocation at = location_of(table_.get(key)->source());
    if (text->empty()) {
      problem(at, std::string(key) + " is empty");
      return std::nullopt;
    }
    const auto folder = result_.manifest.file.parent_path();
    return ManifestFile{folder / std::filesystem::path(std::u8string(text->begin(), text->end())),
                        at};
  }

  // The stored name under `key`, else the name of `file`, with the bytes
  // to store it as under `bytes_key`.
  ManifestName name(std::string_view key, std::string_view bytes_key,
                    const std::optional<ManifestFile>& named_file) {
    ManifestName name;
    if (const std::optional<std::string> text = string(key, false)) {
      if (!named_file)
        problem(location_of(table_.get(key)->source()),
                std::string(key) + " is given without the file it names");
      name.text = *text;
      name.where = location_of(table_.get(key)->source());
    } else if (named_file) {
      name.text = path_text(named_file->path.filename());
      name.where = named_file->where;
      name.from_file = true;
    }
    if (const std::optional<std::string> bytes = string(bytes_key, false)) {
      name.bytes_where = location_of(table_.get(bytes_key)->source());
      name.stored_bytes = parse_name_bytes(*bytes);
      if (!name.stored_bytes) {
        problem(name.bytes_where, std::string(bytes_key) + " \"" + *bytes +
                                      "\" is not bytes in hexadecimal such as \"ED40 8790\"");
      }
    }
    return name;
  }

  // Milliseconds: an integer, or a string with "ms" or "s".
  std::optional<std::int32_t> duration(std::string_view key, bool required) {
    const toml::node* node = find(key, required);
    if (!node) return std::nullopt;
    if (const auto text = node->value_exact<std::string>()) {
      const auto value = parse_duration(*text);
      if (!value) {
        problem(location_of(node->source()),
                std::string(key) + " \"" + *text +
                    "\" is not a time such as 2500, \"2500ms\" or \"2.5s\"");
      }
      return value;
    }
    const auto value = integer(key, 0, kInt32Max, required);
    if (!value) return std::nullopt;
    return std::int32_t(*value);
  }

  // An effect code, or its name.
  std::optional<std::int32_t> effect(std::string_view key) {
    const toml::node* node = find(key, false);
    if (!node) return std::nullopt;
    if (const auto text = node->value_exact<std::string>()) {
      const auto code = effect_code(*text);
      if (!code) problem(location_of(node->source()), unknown_effect_message(key, *text));
      return code;
    }
    const auto value = integer(key, 0, kLastEffect, false);
    if (!value) return std::nullopt;
    return std::int32_t(*value);
  }

  std::optional<Fit> fit(std::string_view key) {
    const toml::node* node = find(key, false);
    if (!node) return std::nullopt;
    const auto text = node->value_exact<std::string>();
    const auto value = text ? parse_fit(*text) : std::nullopt;
    if (!value) {
      problem(location_of(node->source()),
              std::string(key) + " must be \"contain\", \"cover\" or \"none\"");
    }
    return value;
  }

  std::optional<Motion> motion(std::string_view key) {
    const toml::node* node = find(key, false);
    if (!node) return std::nullopt;
    const auto text = node->value_exact<std::string>();
    if (text == std::string(keys::kPanZoom)) return Motion::PanZoom;
    if (text == std::string(keys::kNoMotion)) return Motion::None;
    problem(location_of(node->source()), std::string(key) + " must be \"" +
                                             std::string(keys::kPanZoom) + "\" or \"" +
                                             std::string(keys::kNoMotion) + "\"");
    return std::nullopt;
  }

  // [left, top, width, height], in the bounds the package can store.
  std::optional<Rect> rect(std::string_view key) {
    const toml::node* node = find(key, false);
    if (!node) return std::nullopt;
    const toml::array* values = node->as_array();
    std::vector<std::int64_t> numbers;
    for (std::size_t i = 0; values && i < values->size(); ++i) {
      if (const auto value = values->get(i)->value_exact<std::int64_t>()) numbers.push_back(*value);
    }
    const auto within = [](std::int64_t value, std::int64_t low, std::int64_t high) {
      return value >= low && value <= high;
    };
    if (!values || values->size() != 4 || numbers.size() != 4 ||
        !within(numbers[0], -kLargestCoordinate, kLargestCoordinate) ||
        !within(numbers[1], -kLargestCoordinate, kLargestCoordinate) ||
        !within(numbers[2], 1, kLargestCoordinate) || !within(numbers[3], 1, kLargestCoordinate)) {
      problem(location_of(node->source()),
              std::string(key) +
                  " must be [left, top, width, height]: left and top within -65535..65535, "
                  "width and height within 1..65535");
      return std::nullopt;
    }
    return Rect{std::int32_t(numbers[0]), std::int32_t(numbers[1]), std::int32_t(numbers[2]),
                std::int32_t(numbers[3])};
  }

  // Where `key` was written, or nothing when it was not.
  std::optional<SourceLocation> place_of(std::string_view key) const {
    const toml::node* node = table_.get(key);
    if (!node) return std::nullopt;
    return location_of(node->source());
  }

  void report_unknown_keys() {
    for (const auto& [key, node] : table_) {
      if (std::find(known_.begin(), known_.end(), key.str()) == known_.end()) {
        problem(location_of(key.source()), unknown_key_message(key.str(), node));
      }
    }
  }

 private:
  const toml::table& table_;
  std::string context_;
  ManifestResult& result_;
  // The keys this table takes, in the order they are read.
  std::vector<std::string_view> known_;

  // A table is written as its header.
  static std::string spelled(std::string_view key, const toml::node& node) {
    if (node.is_table()) return "[" + std::string(key) + "]";
    if (node.is_array_of_tables()) return "[[" + std::string(key) + "]]";
    return "'" + std::string(key) + "'";
  }

  static std::string spelled_allowed(std::string_view key) {
    if (key == keys::kShow) return "[" + std::string(key) + "]";
    if (key == keys::kScene) return "[[" + std::string(key) + "]]";
    return "'" + std::string(key) + "'";
  }

  std::string unknown_key_message(std::string_view key, const toml::node& node) const {
    const bool table = node.is_table() || node.is_array_of_tables();
    const std::string message =
        "unknown " + std::string(table ? "table " : "key ") + spelled(key, node);
    if (const auto near = closest_spelling(key, known_)) {
      return message + "; did you mean " + spelled_allowed(*near) + "?";
    }
    return message + "; allowed here: " + word_list(known_);
  }
};

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
  if (auto problem = picture_area_problem({manifest.width, manifest.height})) {
    show.problem(show.where(), *problem);
  }
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
    if (*scene.fade_time < 1 || *scene.fade_time > kLongestFadeMs) {
      reader.problem(*reader.place_of(keys::kFadeTime), std::string(keys::kFadeTime) + " " +
                                                            std::to_string(*scene.fade_time) +
                                                            " ms is out of range 1 ms..60 s");
    }
    scene.effect = reader.effect(keys::kFallbackEffect).value_or(0);
    return;
  }
  scene.effect = reader.effect(keys::kEffect).value_or(0);
  for (const std::string_view key : {keys::kFadeTime, keys::kFallbackEffect}) {
    if (reader.find(key, false)) {
      reader.problem(*reader.place_of(key), std::string(key) + " is given without " +
                                                std::string(keys::kEffect) + " = \"" +
                                                std::string(keys::kFade) + "\"");
    }
  }
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
  // A path or seed for a picture that does not move is a mistake, not a choice.
  for (std::size_t index = 0; index < manifest.scenes.size(); ++index) {
    const ManifestScene& scene = manifest.scenes[index];
    if ((scene.motion_seed || scene.motion_path) && motion_of(manifest, scene) == Motion::None) {
      result.problems.push_back({manifest.file, scene.motion_where,
                                 "scene " + std::to_string(index + 1) +
                                     ": a motion path or seed is given but the picture does not "
                                     "move; add motion = \"pan-zoom\""});
    }
  }
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
