// Writing a show manifest: the inverse of load_manifest.
#pragma once

#include <string>
#include <string_view>

#include "manifest.h"

namespace showsaver::showpack {

// The TOML text of `manifest`: loading it gives the same values.  Files are
// named relative to the folder of manifest.file.  What the reader fills in
// by itself is left out: a name taken from its file, has_settings, left, top
// and fit when not given, over_previous and transparent when false.
// `heading` opens the text, each of its lines a comment.
std::string manifest_text(const Manifest& manifest, std::string_view heading);

}  // namespace showsaver::showpack
