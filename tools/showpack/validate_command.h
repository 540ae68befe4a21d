// `showpack validate FILE`: everything that would stop a show, or spoil it,
// found before anyone plays it.
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_validate_command(CLI::App& app);

}  // namespace showsaver::showpack
