// A show's files laid out under one folder (pictures/, sounds/, music/), and
// the manifest that builds the same show again from them: what `showpack
// extract` writes, and what the studio opens a show into.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "manifest.h"
#include "package/show_package.h"

namespace showsaver::showpack {

struct ExtractedShowFile {
  std::filesystem::path path;
  std::span<const std::uint8_t> bytes;  // inside the package
};

struct ExtractedShow {
  // Each picture, sound and music file once, under the folder.
  std::vector<ExtractedShowFile> files;
  // Every stored name kept as it is, with the title of a Windows player.
  Manifest manifest;
  // A stored name that cannot become a file; nothing is planned then.
  std::optional<std::string> error;
};

// The files of `package` under `folder`, and its manifest `folder`/show.toml.
ExtractedShow extracted_show(const ShowPackage& package, const std::filesystem::path& folder,
                             const std::optional<std::string>& title);

}  // namespace showsaver::showpack
