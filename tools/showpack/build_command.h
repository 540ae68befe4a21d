// `showpack build MANIFEST -o OUT [--player PROGRAM]`: a show package from a
// manifest, bare or appended to a copy of the player.
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_build_command(CLI::App& app);

}  // namespace showsaver::showpack
