#include "page_manifest.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "showpack/manifest_keys.h"

namespace showsaver::studio {
namespace {

using emscripten::val;
using showpack::Manifest;
using showpack::ManifestFile;
using showpack::ManifestName;
using showpack::ManifestScene;
using showpack::Motion;
namespace keys = showpack::manifest_keys;

bool given(const val& value) {
  return !value.isUndefined() && !value.isNull();
}

// One value each way, by its type; undefined is "not given".  A number, a
// flag or a text as JavaScript has it:
template <class Value>
concept Plain = std::is_arithmetic_v<Value> || std::is_same_v<Value, std::string>;

template <Plain Value>
void from_page(const val& value, Value& out) {
  out = given(value) ? value.as<Value>() : Value{};
}
void from_page(const val& value, ColorRef& out) {
  out = ColorRef{given(value) ? value.as<std::uint32_t>() : 0};
}
void from_page(const val& value, ManifestFile& out) {
  std::string path;
  from_page(value, path);
  out.path = path;
}
void from_page(const val& value, ManifestName& out) {
  from_page(value, out.text);
}
// [left, top, width, height]
void from_page(const val& value, Rect& out) {
  out = {value[0].as<std::int32_t>(), value[1].as<std::int32_t>(), value[2].as<std::int32_t>(),
         value[3].as<std::int32_t>()};
}
template <class Value>
void from_page(const val& value, std::optional<Value>& out) {
  out.reset();
  if (given(value)) from_page(value, out.emplace());
}
// A motion not named as the manifest names it is not given.
void from_page(const val& value, std::optional<Motion>& out) {
  std::string text;
  from_page(value, text);
  out.reset();
  if (text == keys::kPanZoom) out = Motion::PanZoom;
  if (text == keys::kNoMotion) out = Motion::None;
}

template <Plain Value>
val to_page(const Value& value) {
  return val(value);
}
val to_page(ColorRef value) {
  return val(raw(value));
}
val to_page(const ManifestFile& value) {
  return val(value.path.string());
}
val to_page(const ManifestName& value) {
  return value.text.empty() ? val::undefined() : val(value.text);
}
val to_page(const Rect& value) {
  val array = val::array();
  for (const std::int32_t number : {value.left, value.top, value.width, value.height}) {
    array.call<void>("push", number);
  }
  return array;
}
val to_page(Motion value) {
  return val(std::string(value == Motion::PanZoom ? keys::kPanZoom : keys::kNoMotion));
}
template <class Value>
val to_page(const std::optional<Value>& value) {
  return value ? to_page(*value) : val::undefined();
}

// A key of a table ([show] or [[scene]]) and how it goes each way.
template <class Record>
struct Key {
  std::string_view name;
  void (*read)(const val& table, std::string_view name, Record& record);
  void (*write)(const Record& record, std::string_view name, val& table);
};

template <class Member>
struct MemberOf;
template <class Record, class Value>
struct MemberOf<Value Record::*> {
  using RecordType = Record;
};

// The key `name` holds the member as it is.
template <auto member>
constexpr Key<typename MemberOf<decltype(member)>::RecordType> field(std::string_view name) {
  using Record = typename MemberOf<decltype(member)>::RecordType;
  return {name,
          [](const val& table, std::string_view key, Record& record) {
            from_page(table[std::string(key)], record.*member);
          },
          [](const Record& record, std::string_view key, val& table) {
            const val value = to_page(record.*member);
            if (!value.isUndefined()) table.set(std::string(key), value);
          }};
}

// The order: "shuffle" or "stored".
constexpr Key<Manifest> order_key{
    keys::kOrder,
    [](const val& table, std::string_view key, Manifest& manifest) {
      std::string text;
      from_page(table[std::string(key)], text);
      manifest.shuffle = text == keys::kShuffle;
    },
    [](const Manifest& manifest, std::string_view key, val& table) {
      table.set(std::string(key),
                std::string(manifest.shuffle ? keys::kShuffle : keys::kStoredOrder));
    }};

// motion_from and motion_to: the path's two ends, both or neither.
constexpr Key<ManifestScene> motion_path_keys{
    keys::kMotionFrom,
    [](const val& table, std::string_view from, ManifestScene& scene) {
      const val start = table[std::string(from)];
      const val end = table[std::string(keys::kMotionTo)];
      scene.motion_path.reset();
      if (!given(start) || !given(end)) return;
      from_page(start, scene.motion_path.emplace().from);
      from_page(end, scene.motion_path->to);
    },
    [](const ManifestScene& scene, std::string_view from, val& table) {
      if (!scene.motion_path) return;
      table.set(std::string(from), to_page(scene.motion_path->from));
      table.set(std::string(keys::kMotionTo), to_page(scene.motion_path->to));
    }};

constexpr Key<Manifest> kShowKeys[] = {
    field<&Manifest::width>(keys::kWidth),
    field<&Manifest::height>(keys::kHeight),
    field<&Manifest::back_color>(keys::kBackColor),
    field<&Manifest::has_settings>(keys::kHasSettings),
    field<&Manifest::music>(keys::kMusic),
    field<&Manifest::music_name>(keys::kMusicName),
    field<&Manifest::title>(keys::kTitle),
    order_key,
    field<&Manifest::motion>(keys::kMotion),
};

constexpr Key<ManifestScene> kSceneKeys[] = {
    field<&ManifestScene::picture>(keys::kPicture),
    field<&ManifestScene::picture_name>(keys::kPictureName),
    field<&ManifestScene::sound>(keys::kSound),
    field<&ManifestScene::sound_name>(keys::kSoundName),
    field<&ManifestScene::display_time>(keys::kDisplayTime),
    field<&ManifestScene::left>(keys::kLeft),
    field<&ManifestScene::top>(keys::kTop),
    field<&ManifestScene::effect>(keys::kEffect),
    field<&ManifestScene::over_previous>(keys::kOverPrevious),
    field<&ManifestScene::transparent>(keys::kTransparent),
    field<&ManifestScene::fade_time>(keys::kFadeTime),
    field<&ManifestScene::motion>(keys::kMotion),
    field<&ManifestScene::motion_seed>(keys::kMotionSeed),
    motion_path_keys,
};

template <class Record, std::size_t count>
void read_table(const val& table, const Key<Record> (&table_keys)[count], Record& record) {
  for (const Key<Record>& key : table_keys) key.read(table, key.name, record);
}

template <class Record, std::size_t count>
val write_table(const Record& record, const Key<Record> (&table_keys)[count]) {
  val table = val::object();
  for (const Key<Record>& key : table_keys) key.write(record, key.name, table);
  return table;
}

}  // namespace

Manifest manifest_from_page(const val& page) {
  Manifest manifest;
  read_table(page[std::string(keys::kShow)], kShowKeys, manifest);
  const val scenes = page[std::string(keys::kScene)];
  const auto count = scenes["length"].as<std::size_t>();
  manifest.scenes.resize(count);
  for (std::size_t index = 0; index < count; ++index) {
    read_table(scenes[index], kSceneKeys, manifest.scenes[index]);
  }
  return manifest;
}

val page_from_manifest(const Manifest& manifest) {
  val scenes = val::array();
  for (const ManifestScene& scene : manifest.scenes) {
    scenes.call<void>("push", write_table(scene, kSceneKeys));
  }
  val page = val::object();
  page.set(std::string(keys::kShow), write_table(manifest, kShowKeys));
  page.set(std::string(keys::kScene), scenes);
  return page;
}

}  // namespace showsaver::studio
