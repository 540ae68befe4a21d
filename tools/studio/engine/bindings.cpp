// The engine's calls for the page, with embind: each turns JavaScript values
// into the core's and back, and nothing more.  Files live in the engine's
// file system (MEMFS), which the page writes and reads through Module.FS.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <filesystem>
#include <fstream>

#include "effects/effect_catalogue.h"
#include "package/extraction.h"
#include "package/package_reader.h"
#include "package/package_writer.h"
#include "paged_frames.h"
#include "picture_conversion.h"
#include "show_draft.h"
#include "show_recording.h"
#include "showpack/file_io.h"
#include "showpack/manifest_extension.h"
#include "showpack/manifest_keys.h"
#include "showpack/text_codec.h"
#include "showpack/title_slot.h"

namespace showsaver::studio {
namespace {

using emscripten::val;

bool given(const val& value) {
  return !value.isUndefined() && !value.isNull();
}

std::string text_of(const val& value) {
  return given(value) ? value.as<std::string>() : std::string();
}

std::optional<std::int32_t> optional_int(const val& value) {
  if (!given(value)) return std::nullopt;
  return value.as<std::int32_t>();
}

namespace keys = showpack::manifest_keys;

// "pan-zoom" or "none"; anything else (or nothing): not given.
std::optional<showpack::Motion> motion_of(const val& value) {
  const std::string text = text_of(value);
  if (text == keys::kPanZoom) return showpack::Motion::PanZoom;
  if (text == keys::kNoMotion) return showpack::Motion::None;
  return std::nullopt;
}

val motion_value(showpack::Motion motion) {
  return val(std::string(motion == showpack::Motion::PanZoom ? keys::kPanZoom : keys::kNoMotion));
}

// [left, top, width, height]
Rect rect_of(const val& array) {
  return {array[0].as<std::int32_t>(), array[1].as<std::int32_t>(), array[2].as<std::int32_t>(),
          array[3].as<std::int32_t>()};
}

val rect_value(const Rect& rect) {
  val array = val::array();
  for (const std::int32_t number : {rect.left, rect.top, rect.width, rect.height}) {
    array.call<void>("push", number);
  }
  return array;
}

// The scene's cross-fade and motion, as the page gives them.
void read_extension_fields(const val& scene, DraftScene& out) {
  out.fade_time = optional_int(scene["fadeTime"]);
  out.motion = motion_of(scene["motion"]);
  if (given(scene["motionSeed"])) out.motion_seed = scene["motionSeed"].as<std::uint32_t>();
  if (given(scene["motionFrom"]) && given(scene["motionTo"])) {
    out.motion_path =
        showpack::MotionPath{rect_of(scene["motionFrom"]), rect_of(scene["motionTo"])};
  }
}

std::vector<std::uint8_t> bytes_of(const val& array) {
  std::vector<std::uint8_t> bytes(array["length"].as<std::size_t>());
  val(emscripten::typed_memory_view(bytes.size(), bytes.data())).call<void>("set", array);
  return bytes;
}

val uint8_array(std::span<const std::uint8_t> bytes) {
  return val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

DraftShow draft_of(const val& show) {
  DraftShow draft;
  draft.width = show["width"].as<std::int32_t>();
  draft.height = show["height"].as<std::int32_t>();
  draft.back_color = ColorRef{show["backColor"].as<std::uint32_t>()};
  if (given(show["hasSettings"])) draft.has_settings = show["hasSettings"].as<bool>();
  draft.shuffle = text_of(show["order"]) == keys::kShuffle;
  draft.motion = motion_of(show["motion"]);
  if (given(show["music"])) {
    draft.music_path = text_of(show["music"]["path"]);
    draft.music_name = text_of(show["music"]["name"]);
  }
  const val scenes = show["scenes"];
  const auto count = scenes["length"].as<std::size_t>();
  for (std::size_t index = 0; index < count; ++index) {
    const val scene = scenes[index];
    DraftScene& out = draft.scenes.emplace_back();
    out.picture_path = text_of(scene["picturePath"]);
    out.picture_name = text_of(scene["pictureName"]);
    out.sound_path = text_of(scene["soundPath"]);
    out.sound_name = text_of(scene["soundName"]);
    out.display_time = scene["displayTime"].as<std::int32_t>();
    out.left = optional_int(scene["left"]);
    out.top = optional_int(scene["top"]);
    out.effect = scene["effect"].as<std::int32_t>();
    out.over_previous = scene["overPrevious"].as<bool>();
    out.transparent = scene["transparent"].as<bool>();
    read_extension_fields(scene, out);
  }
  return draft;
}

val problems_of(const AssembledDraft& draft) {
  val problems = val::array();
  for (const DraftProblem& problem : draft.problems) {
    val item = val::object();
    item.set("scene", problem.scene ? val(int(*problem.scene)) : val::null());
    item.set("error", problem.error);
    item.set("message", problem.message);
    if (!problem.code.empty()) {
      val values = val::object();
      for (const auto& [key, value] : problem.values) values.set(key, value);
      item.set("code", problem.code);
      item.set("values", values);
    }
    problems.call<void>("push", item);
  }
  return problems;
}

// {bmp, width, height}: the stored bitmap of a photo the browser decoded.
val convert_picture_for_page(const val& rgba, int width, int height, const std::string& fit,
                             int area_width, int area_height, std::uint32_t back_color) {
  const std::vector<std::uint8_t> pixels = bytes_of(rgba);
  const ConvertedPicture converted = convert_picture(
      pixels, {width, height}, showpack::parse_fit(fit).value_or(showpack::Fit::none),
      {area_width, area_height}, to_pixel(ColorRef{back_color}));
  val result = val::object();
  result.set("bmp", uint8_array(converted.bmp));
  result.set("width", converted.size.width);
  result.set("height", converted.size.height);
  return result;
}

// The problems showpack's assembly finds in the show.
val check_show(const val& show) {
  return problems_of(assemble_draft(draft_of(show)));
}

std::optional<std::string> write_bytes(const std::string& path,
                                       std::span<const std::uint8_t> bytes) {
  return showpack::write_file_atomically(path, bytes, 0644);
}

// Writes the show to `output_path`: behind the player at `player_path`
// (with `title` in its title slot when given), or the bare package.
// {problems, error}: error is set when nothing was written.
val write_show(const val& show, const std::string& output_path, const std::string& player_path,
               const std::string& title) {
  const AssembledDraft draft = assemble_draft(draft_of(show));
  val result = val::object();
  result.set("problems", problems_of(draft));
  const auto fail = [&](const std::string& error) {
    result.set("error", error);
    return result;
  };
  if (!draft.ok()) return fail("the show has problems");
  PackageWriteResult written;
  if (player_path.empty()) {
    written = write_package_block(draft.package, showpack::text_codec());
  } else {
    showpack::FileRead player = showpack::read_whole_file(player_path);
    if (player.error) return fail(*player.error);
    if (!title.empty()) {
      if (auto error = showpack::write_title(player.bytes, title)) return fail(*error);
    }
    written = append_package_block(player.bytes, draft.package, showpack::text_codec());
  }
  if (written.error) return fail("cannot store " + written.error->message());
  if (auto error = write_bytes(output_path, written.bytes)) return fail(*error);
  result.set("size", double(written.bytes.size()));
  return result;
}

void put_extension_fields(const showpack::ManifestScene& from, val& scene) {
  if (from.fade_time) scene.set("fadeTime", *from.fade_time);
  if (from.motion) scene.set("motion", motion_value(*from.motion));
  if (from.motion_seed) scene.set("motionSeed", double(*from.motion_seed));
  if (from.motion_path) {
    scene.set("motionFrom", rect_value(from.motion_path->from));
    scene.set("motionTo", rect_value(from.motion_path->to));
  }
}

const char* folder_of(ExtractedKind kind) {
  switch (kind) {
    case ExtractedKind::Music:
      return "music";
    case ExtractedKind::Sound:
      return "sounds";
    default:
      return "pictures";
  }
}

// The show in the program file at `path`, its files written under `folder`:
// {width, height, backColor, hasSettings, title, music, scenes} or {error}.
val open_show(const std::string& path, const std::string& folder) {
  val result = val::object();
  const showpack::FileRead file = showpack::read_whole_file(path);
  if (file.error) {
    result.set("error", *file.error);
    return result;
  }
  const PackageReadResult read = read_show_package(file.bytes, showpack::text_codec());
  if (read.error) {
    result.set("error", "malformed show package: " + read.error->message());
    return result;
  }
  const ShowPackage& package = read.package;
  const auto path_in = [&](ExtractedKind kind, const std::string& name) {
    return folder + "/" + folder_of(kind) + "/" + name;
  };
  for (const ExtractedFile& extracted : files_to_extract(package)) {
    const std::string target = path_in(extracted.kind, extracted.name);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ignored);
    if (auto error = write_bytes(target, extracted.data->view())) {
      result.set("error", *error);
      return result;
    }
  }
  result.set("width", package.PictureWidth);
  result.set("height", package.PictureHeight);
  result.set("backColor", raw(package.BackColor));
  result.set("hasSettings", package.HasSettings != 0);
  if (auto title = showpack::read_title(file.bytes)) result.set("title", *title);
  if (!package.BgmFileName.empty()) {
    val music = val::object();
    music.set("name", package.BgmFileName);
    music.set("path", path_in(ExtractedKind::Music, package.BgmFileName));
    result.set("music", music);
  }
  const std::vector<SceneRecord> records = package.Scenes.value_or(std::vector<SceneRecord>{});
  // The extension read back as showpack extract reads it: into manifest scenes.
  showpack::Manifest extended;
  extended.scenes.resize(records.size());
  if (package.Extension) showpack::apply_extension(*package.Extension, extended);
  result.set("order", std::string(extended.shuffle ? keys::kShuffle : keys::kStoredOrder));
  val scenes = val::array();
  for (std::size_t index = 0; index < records.size(); ++index) {
    const SceneRecord& record = records[index];
    val scene = val::object();
    scene.set("pictureName", record.PictureFileName);
    scene.set("picturePath", path_in(ExtractedKind::Picture, record.PictureFileName));
    if (!record.SoundFileName.empty()) {
      scene.set("soundName", record.SoundFileName);
      scene.set("soundPath", path_in(ExtractedKind::Sound, record.SoundFileName));
    }
    scene.set("displayTime", record.DisplayTime);
    scene.set("left", record.PictureLeft);
    scene.set("top", record.PictureTop);
    scene.set("effect", record.EffectCode);
    scene.set("overPrevious", record.OverPrevious != 0);
    scene.set("transparent", record.Transparent != 0);
    put_extension_fields(extended.scenes[index], scene);
    scenes.call<void>("push", scene);
  }
  result.set("scenes", scenes);
  return result;
}

// Plays the show at `path` on a screen of the given size for `transitions`
// transitions, the tick counter starting at `start_tick` (a shuffled show's
// order comes from it), handing its frames to `on_frame` (PagedFrames).
// Returns the message the show ended with, if any.
std::string record_show_for_page(const std::string& path, int screen_width, int screen_height,
                                 int transitions, std::int32_t start_tick, const val& on_frame) {
  PagedFrames frames(on_frame);
  return record_show(
      {path, {screen_width, screen_height}, transitions, start_tick},
      [&](const RecordedFrame& frame) { return frames.frame(frame); },
      [&] { frames.picture_stays(); });
}

val effect_names() {
  val names = val::array();
  for (std::int32_t code = 0; code <= kLastEffect; ++code) {
    names.call<void>("push", std::string(effect_name(code)));
  }
  return names;
}

}  // namespace

EMSCRIPTEN_BINDINGS(studio_engine) {
  emscripten::function("convertPicture", &convert_picture_for_page);
  emscripten::function("checkShow", &check_show);
  emscripten::function("writeShow", &write_show);
  emscripten::function("openShow", &open_show);
  emscripten::function("recordShow", &record_show_for_page);
  emscripten::function("effectNames", &effect_names);
}

}  // namespace showsaver::studio
