// What a name stored in a package may be.  The player writes each file as
// the extraction folder followed directly by the name, on Windows and on
// Linux, so a name must be one plain file name on both.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "worded_fault.h"

namespace showsaver::showpack {

// Why `name` (UTF-8) cannot be stored, its text the end of a sentence that
// starts with the name ("... is empty"); nothing when it can.  Its codes and
// values are the name faults of problem_codes.h (characters and codePoints
// each list a character once, separated by spaces).
std::optional<WordedFault> stored_name_fault(std::string_view name);

// The fault's text alone.
std::optional<std::string> stored_name_problem(std::string_view name);

// A spelling of `name` that a show can store, to suggest: every character a
// show or Windows refuses becomes '_', and so does a trailing dot or space; a
// folder's, a device's or the player's own name gets a leading '_'; a name
// too long is cut at a character's end.
std::string storable_spelling(std::string_view name);

// The name with ASCII letters lower-cased: names equal after folding are one
// file on a case-insensitive file system.
std::string fold_case(std::string_view name);

}  // namespace showsaver::showpack
