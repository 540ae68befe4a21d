// From a checked manifest to a show package: reads the files, checks the
// pictures and the stored names, and stores each name's file once.
#pragma once

#include <vector>

#include "manifest.h"
#include "package/show_package.h"

namespace showsaver::showpack {

struct AssemblyResult {
  ShowPackage package;
  // Faults that stop the build; the package is usable only without them.
  std::vector<ManifestProblem> problems;
  // Things that are allowed but probably not meant.
  std::vector<ManifestProblem> warnings;
};

AssemblyResult assemble_package(const Manifest& manifest);

}  // namespace showsaver::showpack
