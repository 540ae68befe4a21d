#include "render_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/posix/posix_file_system.h"
#include "platform/scripted/scripted_platform.h"
#include "player/show_observer.h"
#include "png_writer.h"
#include "startup/module1.h"
#include "startup/package_reader.h"

namespace showsaver {
namespace {

// Stops the show with a key press after a number of transitions and logs each one.
class TransitionCounter final : public ShowObserver {
 public:
  TransitionCounter(ScriptedPlatform& scripted, std::optional<int> limit)
      : scripted_(scripted), limit_(limit) {}

  void transition_starting(std::int32_t outgoing, std::int32_t incoming,
                           std::int32_t effect) override {
    scripted_.log.add(scripted_.clock.now(), scripted_.clock.elapsed(), "transition",
                      {json_number("from", outgoing), json_number("to", incoming),
                       json_number("effect", effect)});
  }

  void transition_finished() override {
    ++finished_;
    if (limit_ && finished_ == *limit_) scripted_.desktop.press_key_now();
  }

  int finished() const { return finished_; }

 private:
  ScriptedPlatform& scripted_;
  std::optional<int> limit_;
  int finished_ = 0;
};

std::string frame_name(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06d.png", index);
  return name;
}

class ExtractionFolder {
 public:
  ExtractionFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "showpack-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern + "/";
  }
  ~ExtractionFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

int run_render(const RenderOptions& options) {
  PosixFileSystem files;
  const auto file = files.read_file(options.show_path);
  if (!file) {
    std::cerr << "showpack: cannot read " << options.show_path << "\n";
    return 1;
  }
  PackageReadResult read = read_show_package(std::span<const std::uint8_t>(*file));
  if (read.error) {
    std::cerr << "showpack: " << options.show_path << ": " << read.error->message() << "\n";
    return 1;
  }
  std::error_code error;
  std::filesystem::create_directories(options.out_dir, error);
  if (error) {
    std::cerr << "showpack: cannot create " << options.out_dir << ": " << error.message() << "\n";
    return 1;
  }
  ExtractionFolder extraction;
  if (extraction.path().empty()) {
    std::cerr << "showpack: cannot create a folder for the show's files\n";
    return 1;
  }

  ScriptedHostSettings host;
  host.program_path = options.show_path;
  host.extraction_parent = extraction.path();
  ScriptedPlatform scripted(files, host, options.start_tick);
  scripted.desktop.set_screen_size({options.screen_width, options.screen_height});
  if (options.key_at) scripted.desktop.add_input({*options.key_at, InputKind::Key, {}});
  if (options.milliseconds) scripted.desktop.add_input({*options.milliseconds, InputKind::Key, {}});
  if (options.move_at) {
    const Point moved{options.screen_width / 2 + 17, options.screen_height / 2 + 17};
    scripted.desktop.add_input({*options.move_at, InputKind::MouseMove, moved});
  }
  std::optional<int> limit = options.transitions;
  if (!limit && !options.key_at && !options.milliseconds && !options.move_at) {
    limit = std::max(1, read.package.SceneCount);  // one round of the show
  }

  int frame_count = 0;
  std::string write_error;
  scripted.desktop.on_refresh([&](const PixelImage& image) {
    const std::string path = (std::filesystem::path(options.out_dir) / frame_name(frame_count)).string();
    ++frame_count;
    if (write_error.empty()) write_error = write_png(path, image);
  });

  RunState state;
  state.package = std::move(read.package);
  state.ProgramPackagePath = options.show_path;
  state.BgmEnabled = options.music ? -1 : 0;
  state.SoundEnabled = options.sounds ? -1 : 0;
  TransitionCounter counter(scripted, limit);
  run_show_mode(scripted.platform, state, &counter);

  std::ofstream((std::filesystem::path(options.out_dir) / "events.jsonl").string())
      << scripted.log.to_jsonl();
  if (!write_error.empty()) {
    std::cerr << "showpack: " << write_error << "\n";
    return 1;
  }
  std::cerr << "showpack: " << frame_count << " frames and " << counter.finished()
            << " transitions in " << scripted.clock.elapsed() << " ms of show time, written to "
            << options.out_dir << "\n";
  for (const RecordedMessageBox& box : scripted.desktop.message_boxes()) {
    std::cerr << "showpack: the show ended with a message box \"" << box.title << "\": " << box.text
              << "\n";
    return 2;
  }
  return 0;
}

}  // namespace showsaver
