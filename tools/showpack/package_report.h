// What `showpack inspect` prints about a package: a text report for people
// and JSON for programs.
#pragma once

#include <cstdint>
#include <string>

#include "package/package_reader.h"

namespace showsaver::showpack {

// The header fields, then one table row per scene.
std::string package_text_report(const PackageReadResult& read, std::uint64_t file_size);

// One JSON object: the placement, the header fields under their own names,
// and "Scenes" (null when the array is absent), each scene an object.  A
// byte array is null when absent, else {"size": N, "first_scene": I}, where I
// is the first scene with the same name (the one whose bytes are extracted).
std::string package_json_report(const PackageReadResult& read, std::uint64_t file_size);

}  // namespace showsaver::showpack
