// Paths derived from the running program's own file.
#pragma once

#include <string>

namespace showsaver {

struct ProgramPaths {
  // The file the show is read from: the program's base name with ".scr".
  std::string ProgramPackagePath;
  // The settings file beside the program: the base name with ".set".
  std::string SettingsFile;
  // The same name in the user's own settings folder; empty without that folder.
  std::string user_settings_file;
};

// `program_path` is the running program's full path; the package and settings
// files take its folder and its name without extension, whatever that extension is.
// `user_settings_folder` ends with the path separator, or is empty.
ProgramPaths program_paths_for(const std::string& program_path,
                               const std::string& user_settings_folder = {});

}  // namespace showsaver
