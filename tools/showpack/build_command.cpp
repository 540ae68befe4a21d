#include "build_command.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "command_status.h"
#include "file_io.h"
#include "manifest.h"
#include "package/package_reader.h"
#include "package/package_writer.h"
#include "package_assembly.h"
#include "text_codec.h"
#include "title_slot.h"

namespace showsaver::showpack {
namespace {

struct BuildOptions {
  std::string manifest;
  std::string output;
  std::string player;
  std::optional<std::string> title;  // --title, which wins over the manifest's
};

bool report(const std::vector<ManifestProblem>& problems, std::string_view severity) {
  for (const ManifestProblem& problem : problems) std::cerr << problem.text(severity) << '\n';
  return !problems.empty();
}

// The bytes to write: the bare block, or the player with the block behind it.
// `title`, when given, is written into the player's title slot first.
std::optional<PackageWriteResult> output_bytes(const BuildOptions& options,
                                               const std::optional<std::string>& title,
                                               const ShowPackage& package, unsigned& mode) {
  mode = 0644;
  if (options.player.empty()) return write_package_block(package, text_codec());
  FileRead player = read_whole_file(options.player);
  if (player.error) {
    std::cerr << "showpack build: error: " << *player.error << '\n';
    return std::nullopt;
  }
  struct stat status {};
  if (::stat(options.player.c_str(), &status) == 0) mode = status.st_mode & 0777;
  if (read_show_package(player.bytes, text_codec()).ok()) {
    std::cerr << "showpack build: warning: " << options.player
              << " already ends with a show package; the new one goes behind it\n";
  }
  if (title) {
    if (auto error = write_title(player.bytes, *title)) {
      std::cerr << "showpack build: error: " << options.player << ": " << *error << '\n';
      return std::nullopt;
    }
  }
  return append_package_block(player.bytes, package, text_codec());
}

int run_build(const BuildOptions& options) {
  const ManifestResult manifest = load_manifest(options.manifest);
  if (report(manifest.problems, "error")) return 1;
  const AssemblyResult assembled = assemble_package(manifest.manifest);
  report(assembled.warnings, "warning");
  if (report(assembled.problems, "error")) return 1;

  const std::optional<std::string> title = options.title ? options.title : manifest.manifest.title;
  if (title && options.player.empty()) {
    if (options.title) {
      std::cerr << "showpack build: error: --title needs --player: a bare package has no title\n";
      return 1;
    }
    std::cerr << "showpack build: warning: the title is kept only in a player; "
                 "the bare package has none\n";
  }

  unsigned mode = 0;
  const std::optional<PackageWriteResult> written =
      output_bytes(options, title, assembled.package, mode);
  if (!written) return 1;
  if (written->error) {
    std::cerr << "showpack build: error: cannot store " << written->error->message() << '\n';
    return 1;
  }
  if (auto error = write_file_atomically(options.output, written->bytes, mode)) {
    std::cerr << "showpack build: error: " << *error << '\n';
    return 1;
  }
  std::cout << "wrote " << options.output << ": " << assembled.package.SceneCount << " scenes, "
            << written->bytes.size() << " bytes\n";
  return 0;
}

}  // namespace

void add_build_command(CLI::App& app) {
  auto options = std::make_shared<BuildOptions>();
  CLI::App* command = app.add_subcommand("build", "Build a show package from a TOML manifest");
  command->add_option("manifest", options->manifest, "The show manifest (TOML)")->required();
  command->add_option("-o,--output", options->output, "The file to write")->required();
  command->add_option("--player", options->player,
                      "Append the package to a copy of this program file instead of "
                      "writing the bare package");
  auto title = std::make_shared<std::string>();
  CLI::Option* title_option = command->add_option(
      "--title", *title,
      "The show's name in the Windows screen-saver list (default: the manifest's title, else "
      "the file's name)");
  command->callback([options, title, title_option] {
    if (title_option->count() > 0) options->title = *title;
    finish_command(run_build(*options));
  });
}

}  // namespace showsaver::showpack
