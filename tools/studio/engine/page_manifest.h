// The show as the page holds it: a JavaScript object shaped as a manifest
// file is, {show: {...}, scene: [{...}, ...]}, with the manifest's own keys
// and values (manifest_keys.h), turned into showpack's Manifest and back by
// one table of keys.  The values are the Manifest's: `effect` is always a
// transition's code, with a `fade_time` the one players without cross-fades
// show (what a manifest file names fallback_effect beside effect = "fade").
// What the page never sets (fit, the *_name_bytes keys) is not in the table:
// the page fits pictures itself, and a name it stores is always spelt the
// standard way.
#pragma once

#include <emscripten/val.h>

#include "showpack/manifest.h"

namespace showsaver::studio {

showpack::Manifest manifest_from_page(const emscripten::val& page);

emscripten::val page_from_manifest(const showpack::Manifest& manifest);

}  // namespace showsaver::studio
