// `showpack extract SHOW --out DIR`: the show's files and a manifest that
// builds the same show again.
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_extract_command(CLI::App& app);

}  // namespace showsaver::showpack
