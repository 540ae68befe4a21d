// The manifest's cross-fades, motions and show order as the package
// extension holds them, both ways: for `showpack build` and for
// `showpack extract`.
#pragma once

#include <optional>

#include "manifest.h"
#include "package/show_extension.h"

namespace showsaver::showpack {

// The extension the manifest asks for; nothing when it asks for none, so a
// show without these keys is stored in the original layout.  The order
// record comes first, then each scene's fade and motion in scene order.
std::optional<ShowExtension> extension_of(const Manifest& manifest);

// Writes the extension's records into the manifest's scenes (the scene
// records must already be there) and show.  Records of unknown tags have no
// manifest form and are left out.
void apply_extension(const ShowExtension& extension, Manifest& manifest);

}  // namespace showsaver::showpack
