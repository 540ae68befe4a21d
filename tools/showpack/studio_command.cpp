#include "studio_command.h"

#include <spawn.h>
#include <sys/wait.h>

#include <CLI/CLI.hpp>
#include <array>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "command_status.h"

extern char** environ;

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStudioFile = "showsaver-studio.html";

// The studio's file beside this program: installed, <prefix>/bin/showpack
// and <prefix>/share/showsaver/studio/, or in the build tree,
// build/tools/showpack/showpack and build/studio/.
std::optional<fs::path> studio_file() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  const fs::path folder = program.parent_path();
  const std::array places{folder / ".." / "share" / "showsaver" / "studio" / kStudioFile,
                          folder / ".." / ".." / "studio" / kStudioFile};
  for (const fs::path& place : places) {
    if (fs::is_regular_file(place, error)) return place.lexically_normal();
  }
  return std::nullopt;
}

// Runs xdg-open on `file`: its exit status, 127 where it cannot be started.
int open_in_browser(const fs::path& file) {
  const std::string path = file.string();
  char program[] = "xdg-open";
  char* arguments[] = {program, const_cast<char*>(path.c_str()), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) != 0) return 127;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return 127;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int run_studio() {
  const std::optional<fs::path> file = studio_file();
  if (!file) {
    std::cerr << "showpack studio: error: the studio is not installed beside this program; "
                 "build it with `make studio`\n";
    return 1;
  }
  std::cout << "The studio: " << file->string() << std::endl;
  const int status = open_in_browser(*file);
  if (status != 0) {
    std::cerr << "showpack studio: error: could not open it in a browser ("
              << (status == 127 ? std::string("xdg-open was not found")
                                : "xdg-open ended with status " + std::to_string(status))
              << "); open the file above in a browser yourself\n";
    return 1;
  }
  return 0;
}

}  // namespace

void add_studio_command(CLI::App& app) {
  CLI::App* command = app.add_subcommand(
      "studio", "Open the studio, the page that makes shows from photos, in the default browser");
  command->callback([] { finish_command(run_studio()); });
}

}  // namespace showsaver::showpack
