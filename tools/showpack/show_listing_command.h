// `showpack inspect FILE [--json]`: the package at the end of a file.
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_inspect_command(CLI::App& app);

}  // namespace showsaver::showpack
