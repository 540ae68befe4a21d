#include "manifest_table_reader.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "effects/effect_catalogue.h"
#include "file_io.h"
#include "manifest_keys.h"
#include "name_bytes.h"
#include "package/show_extension.h"
#include "spelling_suggestion.h"

namespace showsaver::showpack {
namespace {

namespace keys = manifest_keys;

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

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
  else
    message += ".";
  return message + " The names are: " + listed + " (or their codes 0 to " +
         std::to_string(kLastEffect) + ")" +
         (fade_allowed ? ", or \"" + std::string(keys::kFade) + "\" for a cross-fade" : "");
}

// A table is written as its header.
std::string spelled(std::string_view key, const toml::node& node) {
  if (node.is_table()) return "[" + std::string(key) + "]";
  if (node.is_array_of_tables()) return "[[" + std::string(key) + "]]";
  return "'" + std::string(key) + "'";
}

std::string spelled_allowed(std::string_view key) {
  if (key == keys::kShow) return "[" + std::string(key) + "]";
  if (key == keys::kScene) return "[[" + std::string(key) + "]]";
  return "'" + std::string(key) + "'";
}

}  // namespace

SourceLocation location_of(const toml::source_region& region) {
  return {region.begin.line, region.begin.column};
}

TableReader::TableReader(const toml::table& table, std::string context, ManifestResult& result)
    : table_(table), context_(std::move(context)), result_(result) {}

SourceLocation TableReader::where() const {
  return location_of(table_.source());
}

void TableReader::problem(SourceLocation where, const std::string& message) {
  result_.problems.push_back({result_.manifest.file, where, context_ + ": " + message});
}

const toml::node* TableReader::find(std::string_view key, bool required) {
  if (std::find(known_.begin(), known_.end(), key) == known_.end()) known_.push_back(key);
  const toml::node* node = table_.get(key);
  if (!node && required) problem(where(), std::string(key) + " is missing");
  return node;
}

std::optional<SourceLocation> TableReader::place_of(std::string_view key) const {
  const toml::node* node = table_.get(key);
  if (!node) return std::nullopt;
  return location_of(node->source());
}

std::optional<std::int64_t> TableReader::integer(std::string_view key, std::int64_t min,
                                                 std::int64_t max, bool required) {
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

std::optional<bool> TableReader::boolean(std::string_view key) {
  const toml::node* node = find(key, false);
  if (!node) return std::nullopt;
  const auto value = node->value_exact<bool>();
  if (!value) problem(location_of(node->source()), std::string(key) + " must be true or false");
  return value;
}

std::optional<std::string> TableReader::string(std::string_view key, bool required) {
  const toml::node* node = find(key, required);
  if (!node) return std::nullopt;
  const auto value = node->value_exact<std::string>();
  if (!value) problem(location_of(node->source()), std::string(key) + " must be a string");
  return value;
}

std::optional<ManifestFile> TableReader::file(std::string_view key, bool required) {
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

ManifestName TableReader::name(std::string_view key, std::string_view bytes_key,
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

std::optional<std::int32_t> TableReader::duration(std::string_view key, bool required) {
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

std::optional<std::int32_t> TableReader::effect(std::string_view key) {
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

std::optional<Fit> TableReader::fit(std::string_view key) {
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

std::optional<Motion> TableReader::motion(std::string_view key) {
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

std::optional<Rect> TableReader::rect(std::string_view key) {
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
  constexpr std::int64_t largest = kLargestCoordinate;
  if (!values || values->size() != 4 || numbers.size() != 4 ||
      !within(numbers[0], -largest, largest) || !within(numbers[1], -largest, largest) ||
      !within(numbers[2], 1, largest) || !within(numbers[3], 1, largest)) {
    const std::string bound = std::to_string(largest);
    problem(location_of(node->source()),
            std::string(key) + " must be [left, top, width, height]: left and top within -" +
                bound + ".." + bound + ", width and height within 1.." + bound);
    return std::nullopt;
  }
  return Rect{std::int32_t(numbers[0]), std::int32_t(numbers[1]), std::int32_t(numbers[2]),
              std::int32_t(numbers[3])};
}

void TableReader::report_unknown_keys() {
  for (const auto& [key, node] : table_) {
    if (std::find(known_.begin(), known_.end(), key.str()) == known_.end()) {
      problem(location_of(key.source()), unknown_key_message(key.str(), node));
    }
  }
}

std::string TableReader::unknown_key_message(std::string_view key, const toml::node& node) const {
  const bool table = node.is_table() || node.is_array_of_tables();
  const std::string message =
      "unknown " + std::string(table ? "table " : "key ") + spelled(key, node);
  if (const auto near = closest_spelling(key, known_)) {
    return message + "; did you mean " + spelled_allowed(*near) + "?";
  }
  return message + "; allowed here: " + word_list(known_);
}

}  // namespace showsaver::showpack
