#include "extract_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "command_status.h"
#include "extracted_show.h"
#include "file_io.h"
#include "manifest_writer.h"
#include "package/package_reader.h"
#include "text_codec.h"
#include "title_slot.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

struct ExtractOptions {
  std::string show;
  std::string out;
  bool force = false;
};

int fail(const std::string& message) {
  std::cerr << "showpack extract: error: " << message << '\n';
  return 1;
}

int run_extract(const ExtractOptions& options) {
  const FileRead file = read_whole_file(options.show);
  if (file.error) return fail(*file.error);
  const PackageReadResult read = read_show_package(file.bytes, text_codec());
  if (read.error) {
    return fail(options.show + ": malformed show package: " + read.error->message());
  }
  const ExtractedShow extracted =
      extracted_show(read.package, fs::path(options.out), read_title(file.bytes));
  if (extracted.error) return fail(*extracted.error);
  // The files, then the manifest beside them.
  std::vector<ExtractedShowFile> planned = extracted.files;
  const std::string manifest = manifest_text(
      extracted.manifest, "Extracted by showpack; `showpack build` makes the show again from it.");
  planned.push_back({extracted.manifest.file,
                     {reinterpret_cast<const std::uint8_t*>(manifest.data()), manifest.size()}});

  if (!options.force) {
    for (const ExtractedShowFile& target : planned) {
      if (fs::exists(fs::symlink_status(target.path))) {
        return fail(target.path.string() + " exists already; use --force to replace it");
      }
    }
  }
  for (const ExtractedShowFile& target : planned) {
    std::error_code error;
    fs::create_directories(target.path.parent_path(), error);
    if (error)
      return fail("cannot create " + target.path.parent_path().string() + ": " + error.message());
    if (const auto write_error = write_file_atomically(target.path, target.bytes, 0644)) {
      return fail(*write_error);
    }
  }
  std::cout << "extracted " << planned.size() - 1 << " files and show.toml into " << options.out
            << "\n";
  return 0;
}

}  // namespace

void add_extract_command(CLI::App& app) {
  auto options = std::make_shared<ExtractOptions>();
  CLI::App* command = app.add_subcommand(
      "extract", "Write a show's pictures, sounds and music, with a manifest that rebuilds it");
  command->add_option("show", options->show, "The program file or bare package")->required();
  command->add_option("--out", options->out, "The folder to write into")->required();
  command->add_flag("--force", options->force, "Replace files that exist already");
  command->callback([options] { finish_command(run_extract(*options)); });
}

}  // namespace showsaver::showpack
