// The engine's calls for the page, with embind: each turns JavaScript values
// into the core's and back, and nothing more.  Files live in the engine's
// file system (MEMFS), which the page writes and reads through Module.FS.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <filesystem>

#include "assembled_show.h"
#include "effects/effect_catalogue.h"
#include "package/package_reader.h"
#include "package/package_writer.h"
#include "package/show_extension.h"
#include "page_manifest.h"
#include "paged_frames.h"
#include "picture_conversion.h"
#include "show_recording.h"
#include "showpack/extracted_show.h"
#include "showpack/file_io.h"
#include "showpack/manifest_keys.h"
#include "showpack/problem_codes.h"
#include "showpack/text_codec.h"
#include "showpack/title_slot.h"

namespace showsaver::studio {
namespace {

using emscripten::val;

std::vector<std::uint8_t> bytes_of(const val& array) {
  std::vector<std::uint8_t> bytes(array["length"].as<std::size_t>());
  val(emscripten::typed_memory_view(bytes.size(), bytes.data())).call<void>("set", array);
  return bytes;
}

val uint8_array(std::span<const std::uint8_t> bytes) {
  return val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

val problems_of(const AssembledShow& show) {
  val problems = val::array();
  for (const ShowProblem& problem : show.problems) {
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

// The problems showpack's assembly finds in the show (page_manifest.h).
val check_show(const val& show) {
  return problems_of(assemble_show(manifest_from_page(show)));
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
  const AssembledShow assembled = assemble_show(manifest_from_page(show));
  val result = val::object();
  result.set("problems", problems_of(assembled));
  const auto fail = [&](const std::string& error) {
    result.set("error", error);
    return result;
  };
  if (!assembled.ok()) return fail("the show has problems");
  PackageWriteResult written;
  if (player_path.empty()) {
    written = write_package_block(assembled.package, showpack::text_codec());
  } else {
    showpack::FileRead player = showpack::read_whole_file(player_path);
    if (player.error) return fail(*player.error);
    if (!title.empty()) {
      if (auto error = showpack::write_title(player.bytes, title)) return fail(*error);
    }
    written = append_package_block(player.bytes, assembled.package, showpack::text_codec());
  }
  if (written.error) return fail("cannot store " + written.error->message());
  if (auto error = write_bytes(output_path, written.bytes)) return fail(*error);
  result.set("size", double(written.bytes.size()));
  return result;
}

// The show in the program file at `path`, its files written under `folder`
// as `showpack extract` lays them out: the page's manifest (page_manifest.h),
// or {error}.
val open_show(const std::string& path, const std::string& folder) {
  const auto fail = [](const std::string& error) {
    val result = val::object();
    result.set("error", error);
    return result;
  };
  const showpack::FileRead file = showpack::read_whole_file(path);
  if (file.error) return fail(*file.error);
  const PackageReadResult read = read_show_package(file.bytes, showpack::text_codec());
  if (read.error) return fail("malformed show package: " + read.error->message());
  const showpack::ExtractedShow extracted =
      showpack::extracted_show(read.package, folder, showpack::read_title(file.bytes));
  if (extracted.error) return fail(*extracted.error);
  for (const showpack::ExtractedShowFile& target : extracted.files) {
    std::error_code ignored;
    std::filesystem::create_directories(target.path.parent_path(), ignored);
    if (auto error = write_bytes(target.path.string(), target.bytes)) return fail(*error);
  }
  return page_from_manifest(extracted.manifest);
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

// What the page offers and sends as the engine names it: {effects: the
// transitions' names by code, values: the manifest's values of the page's
// choices, limits: the bounds and defaults of what the page sets}.
val vocabulary() {
  namespace keys = showpack::manifest_keys;
  val values = val::object();
  values.set("fade", std::string(keys::kFade));
  values.set("shuffle", std::string(keys::kShuffle));
  values.set("stored", std::string(keys::kStoredOrder));
  values.set("panZoom", std::string(keys::kPanZoom));
  values.set("noMotion", std::string(keys::kNoMotion));
  val limits = val::object();
  limits.set("longestFade", kLongestFadeMs);
  limits.set("defaultFade", kDefaultFadeMs);
  val result = val::object();
  result.set("effects", effect_names());
  result.set("values", values);
  result.set("limits", limits);
  return result;
}

const char* kind_name(showpack::ProblemKind kind) {
  switch (kind) {
    case showpack::ProblemKind::NameFault:
      return "name-fault";
    case showpack::ProblemKind::SoundFault:
      return "sound-fault";
    default:
      return "finding";
  }
}

// Every code a problem or its fault comes with, each with the values it
// carries: [{code, kind: "finding", "name-fault" or "sound-fault", values}],
// which the page's wordings (texts.js) answer.
val problem_codes() {
  val list = val::array();
  for (const showpack::ProblemCode& entry : showpack::problem_codes()) {
    val values = val::array();
    for (const std::string_view name : entry.value_names()) {
      values.call<void>("push", std::string(name));
    }
    val item = val::object();
    item.set("code", std::string(entry.code));
    item.set("kind", std::string(kind_name(entry.kind)));
    item.set("values", values);
    list.call<void>("push", item);
  }
  return list;
}

}  // namespace

EMSCRIPTEN_BINDINGS(studio_engine) {
  emscripten::function("convertPicture", &convert_picture_for_page);
  emscripten::function("checkShow", &check_show);
  emscripten::function("writeShow", &write_show);
  emscripten::function("openShow", &open_show);
  emscripten::function("recordShow", &record_show_for_page);
  emscripten::function("vocabulary", &vocabulary);
  emscripten::function("problemCodes", &problem_codes);
}

}  // namespace showsaver::studio
