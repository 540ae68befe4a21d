// `showpack new FOLDER -o show.toml`: a manifest for a show of a folder's photos.
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_new_command(CLI::App& app);

}  // namespace showsaver::showpack
