#include "inspect_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "command_status.h"
#include "file_io.h"
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
  const FileRead file = read_whole_file(options.file);
  if (file.error) {
    std::cerr << "showpack inspect: error: " << *file.error << '\n';
    return 1;
  }
  const PackageReadResult read = read_show_package(file.bytes, text_codec());
  if (read.error) {
    std::cerr << "showpack inspect: error: " << options.file
              << ": malformed show package: " << read.error->message() << '\n';
    return 1;
  }
  if (options.json) {
    std::cout << package_json_report(read, file.bytes.size());
    return 0;
  }
  // A Windows player built with a title is listed under it.
  if (const auto title = read_title(file.bytes)) std::cout << "Title: " << *title << "\n\n";
  std::cout << package_text_report(read, file.bytes.size());
  return 0;
}

}  // namespace

void add_inspect_command(CLI::App& app) {
  auto options = std::make_shared<InspectOptions>();
  CLI::App* command = app.add_subcommand(
      "inspect", "Show the package at the end of a program file or bare package");
  command->add_option("file", options->file, "The program file or bare package")->required();
  command->add_flag("--json", options->json, "Print JSON for programs");
  command->callback([options] { finish_command(run_inspect(*options)); });
}

}  // namespace showsaver::showpack
