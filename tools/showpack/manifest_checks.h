// The checks a manifest's values go through once read: values that must go
// together or apart, and the limits the package holds them to.  Each reports
// to the reader of the table the values came from, so that the problems
// stay in the order of the file.
#pragma once

#include "manifest.h"
#include "manifest_table_reader.h"

namespace showsaver::showpack {

// The picture area within what a player can show.
void check_picture_area(TableReader& show, const Manifest& manifest);

// A cross-fade's time within the package's limits.
void check_fade_time(TableReader& reader, const ManifestScene& scene);

// fade_time and fallback_effect only beside effect = "fade".
void check_fade_keys_unused(TableReader& reader);

// motion_from and motion_to together, and not beside motion_seed.
void check_motion_keys(TableReader& reader, const ManifestScene& scene);

// A motion path or seed only for a scene that moves (once every scene and
// the show's own motion are read).
void check_motion_moves(ManifestResult& result);

}  // namespace showsaver::showpack
