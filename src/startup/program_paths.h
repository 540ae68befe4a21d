// Paths derived from the running program's own file.
#pragma once

#include <string>

namespace showsaver {

struct ProgramPaths {
  // The file the show is read from: the program's base name with ".scr".
  std::string ProgramPackagePath;
  // The settings file beside the program: the base name with ".set".
  std::string SettingsFile;
};

// `program_path` is the running program's full path; the package and settings
// files take its folder and its name without extension, whatever that extension is.
ProgramPaths program_paths_for(const std::string& program_path);

}  // namespace showsaver
