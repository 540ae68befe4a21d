// A manifest wherever a show is expected: `build`, `render`, `inspect` and
// `validate` take either a show (a program file or bare package) or its
// manifest, which is then built in memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "package/show_package.h"

namespace showsaver::showpack {

// Whether `path` names a manifest (ends with .toml) rather than a show.
bool is_manifest_path(std::string_view path);

struct BuiltManifest {
  std::optional<ShowPackage> package;  // nothing when the manifest has errors
  std::optional<std::string> title;    // the manifest's title
};

// Loads and assembles the manifest, printing its problems and warnings on
// `messages` in the form "show.toml:12:5: error: ...".
BuiltManifest build_manifest(const std::filesystem::path& file, std::ostream& messages);

// The bytes of the show `path` names: the file itself, or for a manifest the
// bare package built from it.  Problems are printed on `messages` and give
// nothing; `command` opens the messages about the file ("showpack render").
std::optional<std::vector<std::uint8_t>> show_bytes_of(const std::string& path,
                                                       std::string_view command,
                                                       std::ostream& messages);

}  // namespace showsaver::showpack
