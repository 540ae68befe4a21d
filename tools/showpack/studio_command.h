// `showpack studio`: opens the studio, one page that works from disk (what
// `make studio` builds and the package installs), in the default browser.
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_studio_command(CLI::App& app);

}  // namespace showsaver::showpack
