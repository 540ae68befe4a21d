// The TOML parser's reports, said again in words for whoever edits the
// manifest: what is wrong at the position, and how it is written instead.
#pragma once

#include <string>
#include <string_view>

namespace showsaver::showpack {

// A sentence for the parser's `description` of a syntax error.
std::string plain_toml_error(std::string_view description);

}  // namespace showsaver::showpack
