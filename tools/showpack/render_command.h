// `showpack render`: plays a show on the scripted platform and writes every
// refreshed frame of the picture area as PNG, with a log of what happened.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace showsaver {

struct RenderOptions {
  std::string show_path;
  std::string out_dir;
  std::string gif_path;            // also an animated GIF of the frames, when given
  std::string contact_sheet_path;  // also a contact sheet, when given
  std::optional<int> transitions;
  std::optional<std::int64_t> milliseconds;
  std::optional<std::int64_t> key_at;
  std::optional<std::int64_t> move_at;
  int screen_width = 1024;
  int screen_height = 768;
  std::int32_t start_tick = 0;
  bool music = true;
  bool sounds = true;
};

// Returns the process exit status: 0 played, 1 unreadable, 2 the show failed.
int run_render(const RenderOptions& options);

namespace showpack {
void add_render_command(CLI::App& app);
}

}  // namespace showsaver
