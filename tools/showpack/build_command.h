// `showpack build MANIFEST -o OUT`: a show from a manifest.  The package is
// appended to a copy of a player: the Linux player beside showpack unless
// `--for windows|windows32|linux` or `--player PROGRAM` names another;
// `--package-only` writes the bare package.  A Windows player's title slot
// takes the show's title (`--title`, else the manifest's).
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_build_command(CLI::App& app);

}  // namespace showsaver::showpack
