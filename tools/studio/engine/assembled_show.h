// The page's show, a manifest, assembled into a package by showpack's own
// assembly, so that the studio stores what `showpack build` stores and finds
// the problems `showpack validate` finds.  The page keeps each file in the
// engine's file system and names it by its path in the manifest.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "package/show_package.h"
#include "showpack/manifest.h"

namespace showsaver::studio {

struct ShowProblem {
  std::optional<std::size_t> scene;  // nothing: the show's own
  bool error = true;
  std::string message;  // in English
  // The rule's code and values, for the page's own wording; no code: the
  // message is the only wording.
  std::string code;
  std::map<std::string, std::string> values;
};

struct AssembledShow {
  ShowPackage package;  // usable only when no problem is an error
  std::vector<ShowProblem> problems;

  bool ok() const;
};

AssembledShow assemble_show(showpack::Manifest manifest);

}  // namespace showsaver::studio
