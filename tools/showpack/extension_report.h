// What `showpack inspect` prints about a package's extension block.
#pragma once

#include <optional>
#include <string>

#include "package/show_extension.h"

namespace showsaver::showpack {

// One line per record after a heading; nothing for a package without one.
std::string extension_text_report(const std::optional<ShowExtension>& extension);

// null, or {"version": 1, "records": [...]}, each record an object with its
// "kind" ("order", "fade", "pan-zoom-seed", "pan-zoom-path", "unknown") and
// its fields.
std::string extension_json_report(const std::optional<ShowExtension>& extension);

}  // namespace showsaver::showpack
