// The show manifest: a TOML file that describes a show for `showpack build`.
//
//   [show]                      width, height (1..32767), back_color ("#RRGGBB"
//                               or 0x00BBGGRR), has_settings, music, music_name,
//                               music_name_bytes, title (the Windows player's
//                               name in the list),
//                               fit (every scene's, unless the scene has its own),
//                               order ("stored" or "shuffle"), motion ("pan-zoom"
//                               or "none": every scene's, unless it has its own)
//   [[scene]]  (one or more)    picture, picture_name, picture_name_bytes,
//                               sound, sound_name, sound_name_bytes,
//                               display_time (milliseconds, or "2.5s", "300ms"),
//                               left, top, effect (0..29, its name, or "fade"), fit,
//                               over_previous, transparent,
//                               fade_time (with "fade"; 1 ms to 60 s, default 1 s),
//                               fallback_effect (with "fade": what a player
//                               without cross-fades shows; default the cut),
//                               motion, motion_seed (0..4294967295),
//                               motion_from and motion_to ([left, top, width,
//                               height] in the picture area, both or neither)
//
// Paths are relative to the manifest's folder.  Loading checks the TOML:
// keys, types and ranges as each table's values are read
// (manifest_table_reader.h), then the values against each other and the
// package's limits (manifest_checks.h); the files themselves are checked
// when the package is assembled.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fit.h"
#include "manifest_values.h"
#include "platform/color.h"
#include "platform/geometry.h"

namespace showsaver::showpack {

struct SourceLocation {
  std::uint32_t line = 0;
  std::uint32_t column = 0;
};

// One problem found in a manifest, with where it is.
struct ManifestProblem {
  std::filesystem::path file;
  SourceLocation where;
  std::string message;
  // Where the package assembly found it: a stable code and the values its
  // wording takes, as show_rules.h gives them, for the studio to word the
  // problem in the page's language.  Empty for the manifest's own checks.
  std::string code{};
  std::map<std::string, std::string> values{};

  // "show.toml:12:5: error: message", in the form editors and compilers use.
  std::string text(std::string_view severity = "error") const;
};

// A file named in the manifest: the path as resolved and where it was named.
struct ManifestFile {
  std::filesystem::path path;
  SourceLocation where;
};

// A name to store in the package; defaults to the file's name.
struct ManifestName {
  std::string text;
  SourceLocation where;
  bool from_file = false;  // not given: the file's own name
  // The code page 932 bytes to store for the text (the *_name_bytes key),
  // when they are not the ones the text encodes to: see name_bytes.h.
  std::optional<std::string> stored_bytes = std::nullopt;
  SourceLocation bytes_where = {};
};

// How a picture moves during its hold.
enum class Motion { None, PanZoom };

// Where a pan and zoom goes, in pixels of the picture area.
struct MotionPath {
  Rect from;
  Rect to;
};

struct ManifestScene {
  SourceLocation where;  // the [[scene]] header
  ManifestFile picture;
  ManifestName picture_name;
  std::optional<ManifestFile> sound;
  ManifestName sound_name;  // empty without a sound
  std::int32_t display_time = 0;
  std::optional<std::int32_t> left;  // not given: 0, or centred when the picture is fitted
  std::optional<std::int32_t> top;
  std::int32_t effect = 0;                   // with a fade, the fallback for players without one
  std::optional<std::int32_t> fade_time;     // milliseconds; set for effect = "fade" only
  std::optional<Fit> fit;                    // not given: the show's
  std::optional<Motion> motion;              // not given: the show's
  std::optional<std::uint32_t> motion_seed;  // not given: the scene's index
  std::optional<MotionPath> motion_path;     // not given: one picked from the seed
  SourceLocation motion_where;               // of whichever motion key comes first
  bool over_previous = false;
  bool transparent = false;
};

struct Manifest {
  std::filesystem::path file;
  SourceLocation show_where;  // the [show] header
  std::int32_t width = 0;
  std::int32_t height = 0;
  ColorRef back_color{};
  std::optional<bool> has_settings;  // not given: settings_offered() decides
  std::optional<ManifestFile> music;
  ManifestName music_name;           // empty without music
  std::optional<std::string> title;  // the name the Windows screen-saver list shows
  std::optional<Fit> fit;            // every scene's, unless the scene has its own
  bool shuffle = false;              // order = "shuffle"
  std::optional<Motion> motion;      // every scene's, unless the scene has its own
  std::vector<ManifestScene> scenes;
};

struct ManifestResult {
  Manifest manifest;
  // Every problem found; the manifest is usable only when there is none.
  std::vector<ManifestProblem> problems;
};

ManifestResult load_manifest(const std::filesystem::path& file);

// How scene `scene` moves: its own motion, else the show's, else none.
Motion motion_of(const Manifest& manifest, const ManifestScene& scene);

// Whether the show offers its settings: has_settings when given, else
// whether it has music or a sound.
bool settings_offered(const Manifest& manifest);

}  // namespace showsaver::showpack
