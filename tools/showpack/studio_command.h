// `showpack studio`: serves the studio's folder (what `make studio` builds)
// on this computer only and prints its address, for browsers that are kept
// from opening pages on disk.
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_studio_command(CLI::App& app);

}  // namespace showsaver::showpack
