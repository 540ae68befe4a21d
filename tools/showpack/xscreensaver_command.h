// `showpack install-xscreensaver SHOW` and `showpack uninstall-xscreensaver
// SHOW`: a show listed among the current user's xscreensaver display modes,
// and taken off the list again.
#pragma once

namespace CLI {
class App;
}

namespace showsaver::showpack {

void add_install_xscreensaver_command(CLI::App& app);
void add_uninstall_xscreensaver_command(CLI::App& app);

}  // namespace showsaver::showpack
