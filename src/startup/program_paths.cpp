#include "startup/program_paths.h"

#include "platform/file_system.h"

namespace showsaver {
namespace {

bool is_separator(char c) { return c == kPathSeparator || c == '/'; }

}  // namespace

ProgramPaths program_paths_for(const std::string& program_path,
                               const std::string& user_settings_folder) {
  std::size_t name_start = program_path.size();
  while (name_start > 0 && !is_separator(program_path[name_start - 1])) --name_start;
  std::string folder = program_path.substr(0, name_start);
  std::string name = program_path.substr(name_start);
  const std::size_t dot = name.rfind('.');
  const std::string base_name = dot == std::string::npos ? name : name.substr(0, dot);
  if (folder.empty()) folder = std::string(".") + kPathSeparator;
  if (!is_separator(folder.back())) folder += kPathSeparator;
  const std::string settings_name = base_name + ".set";
  return {folder + base_name + ".scr", folder + settings_name,
          user_settings_folder.empty() ? std::string() : user_settings_folder + settings_name};
}

}  // namespace showsaver
