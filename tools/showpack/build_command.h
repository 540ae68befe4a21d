// `showpack build MANIFEST -o OUT [--player PROGRAM [--title TEXT]]`: a show
// package from a manifest, bare or appended to a copy of the player, whose
// title slot then takes the show's name.
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_build_command(CLI::App& app);

}  // namespace showsaver::showpack
