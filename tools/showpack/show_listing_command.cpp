#include "show_listing_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "command_status.h"
#include "manifest_source.h"
#include "package/package_reader.h"
#include "package_report.h"
#include "text_codec.h"
#include "title_slot.h"

namespace showsaver::showpack {
namespace {

struct InspectOptions {
  std::string file;
  bool json = false;
};

int run_inspect(const InspectOptions& options) {
  const auto bytes = show_bytes_of(options.file, "showpack inspect", std::cerr);
  if (!bytes) return 1;
  const PackageReadResult read = read_show_package(*bytes, text_codec());
  if (read.error) {
    std::cerr << "showpack inspect: error: " << options.file
              << ": malformed show package: " << read.error->message() << '\n';
    return 1;
  }
  if (options.json) {
    std::cout << package_json_report(read, bytes->size());
    return 0;
  }
  // A Windows player built with a title is listed under it.
  if (const auto title = read_title(*bytes)) std::cout << "Title: " << *title << "\n\n";
  std::cout << package_text_report(read, bytes->size());
  return 0;
}

}  // namespace

void add_inspect_command(CLI::App& app) {
  auto options = std::make_shared<InspectOptions>();
  CLI::App* command =
      app.add_subcommand("inspect", "Show the package of a show, or of a manifest built in memory");
  command
      ->add_option("file", options->file,
                   "The show (program file or bare package) or its manifest (.toml)")
      ->required();
  command->add_flag("--json", options->json, "Print JSON for programs");
  command->callback([options] { finish_command(run_inspect(*options)); });
}

}  // namespace showsaver::showpack
