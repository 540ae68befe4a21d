// showpack: the authoring tool for show packages.  Each subcommand lives in
// its own file and registers itself here with one line.
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>

#include "build_command.h"
#include "extract_command.h"
#include "new_command.h"
#include "render_command.h"
#include "show_listing_command.h"
#include "studio_command.h"
#include "validate_command.h"
#include "xscreensaver_command.h"

int main(int argc, char** argv) {
  CLI::App app{"Builds, inspects, extracts and renders show packages.", "showpack"};
  app.set_version_flag("--version", "showpack " SHOWSAVER_VERSION);
  app.require_subcommand(1);
  showsaver::showpack::add_new_command(app);
  showsaver::showpack::add_build_command(app);
  showsaver::showpack::add_inspect_command(app);
  showsaver::showpack::add_extract_command(app);
  showsaver::showpack::add_render_command(app);
  showsaver::showpack::add_validate_command(app);
  showsaver::showpack::add_install_xscreensaver_command(app);
  showsaver::showpack::add_uninstall_xscreensaver_command(app);
  showsaver::showpack::add_studio_command(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  } catch (const std::exception& error) {
    std::cerr << "showpack: error: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
