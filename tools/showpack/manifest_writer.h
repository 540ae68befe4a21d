// Writing a manifest for a show package, the inverse of loading one.
#pragma once

#include <string>

#include "package/show_package.h"

namespace showsaver::showpack {

// The folders, inside the extraction folder, of each kind of file.
inline constexpr const char* kPictureFolder = "pictures";
inline constexpr const char* kSoundFolder = "sounds";
inline constexpr const char* kMusicFolder = "music";

// A TOML manifest describing `package`, naming each file as
// "<folder>/<stored name>" with the stored name kept explicitly.
std::string manifest_for(const ShowPackage& package);

// `text` as a TOML basic string, quotes included.
std::string toml_string(const std::string& text);

}  // namespace showsaver::showpack
