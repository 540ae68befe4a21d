// The rules a show's package is held to beyond the package reader's: every
// picture decodes with the player's decoder and shows whole, every name can
// be extracted, every effect is known, every sound plays.  `showpack
// validate` prints the findings; the studio words them in the page's
// language from their code and values.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "package/show_package.h"

namespace showsaver::showpack {

struct RuleFinding {
  bool error = true;
  std::optional<std::size_t> scene;  // counted from 0; nothing: the show's own
  // Stable across releases ("picture-clipped"), with the values its wording
  // needs ("scene" counted from 1, "width", "name"...): problem_codes.h.
  std::string code;
  std::map<std::string, std::string> values;
  std::string field;                   // the package field: "scene 3 EffectCode"
  const PackageBytes* data = nullptr;  // the stored bytes it is about, if any
  std::string message;                 // in English, as showpack prints it
};

std::vector<RuleFinding> check_show_rules(const ShowPackage& package);

}  // namespace showsaver::showpack
