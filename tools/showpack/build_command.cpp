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

namespace showsaver::showpack {
namespace {

struct BuildOptions {
  std::string manifest;
  std::string output;
  std::string player;
};

bool report(const std::vector<ManifestProblem>& problems, std::string_view severity) {
  for (const ManifestProblem& problem : problems) std::cerr << problem.text(severity) << '\n';
  return !problems.empty();
}

// The bytes to write: the bare block, or the player with the block behind it.
std::optional<PackageWriteResult> output_bytes(const BuildOptions& options,
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
  return append_package_block(player.bytes, package, text_codec());
}

int run_build(const BuildOptions& options) {
  const ManifestResult manifest = load_manifest(options.manifest);
  if (report(manifest.problems, "error")) return 1;
  const AssemblyResult assembled = assemble_package(manifest.manifest);
  report(assembled.warnings, "warning");
  if (report(assembled.problems, "error")) return 1;

  unsigned mode = 0;
  const std::optional<PackageWriteResult> written = output_bytes(options, assembled.package, mode);
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
  command->callback([options] { finish_command(run_build(*options)); });
}

}  // namespace showsaver::showpack
