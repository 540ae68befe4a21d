#include "render_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "command_status.h"
#include "contact_sheet.h"
#include "gif_writer.h"
#include "manifest_source.h"
#include "package/package_reader.h"
#include "platform/posix/posix_file_system.h"
#include "platform/scripted/scripted_platform.h"
#include "player/show_observer.h"
#include "png_writer.h"
#include "progress.h"
#include "startup/program_entry.h"
#include "text_codec.h"

namespace showsaver {
namespace {

// Stops the show with a key press after a number of transitions and logs each one.
class TransitionCounter final : public ShowObserver {
 public:
  TransitionCounter(ScriptedPlatform& scripted, std::optional<int> limit,
                    showpack::ContactSheet* sheet)
      : scripted_(scripted), limit_(limit), sheet_(sheet) {}

  void transition_starting(std::int32_t outgoing, std::int32_t incoming,
                           std::int32_t effect) override {
    if (sheet_) sheet_->transition_started(effect);
    scripted_.log.add(scripted_.clock.now(), scripted_.clock.elapsed(), "transition",
                      {json_number("from", outgoing), json_number("to", incoming),
                       json_number("effect", effect)});
  }

  void transition_finished() override {
    if (sheet_) sheet_->transition_finished();
    ++finished_;
    if (limit_ && finished_ == *limit_) scripted_.desktop.press_key_now();
  }

  int finished() const { return finished_; }

 private:
  ScriptedPlatform& scripted_;
  std::optional<int> limit_;
  showpack::ContactSheet* sheet_;
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
  const auto file = showpack::show_bytes_of(options.show_path, "showpack render", std::cerr);
  if (!file) return 1;
  PackageReadResult read =
      read_show_package(std::span<const std::uint8_t>(*file), showpack::text_codec());
  if (read.error) {
    std::cerr << "showpack render: error: " << options.show_path
              << ": malformed show package: " << read.error->message() << "\n";
    return 1;
  }
  std::error_code error;
  std::filesystem::create_directories(options.out_dir, error);
  if (error) {
    std::cerr << "showpack render: error: cannot create " << options.out_dir << ": "
              << error.message() << "\n";
    return 1;
  }
  ExtractionFolder extraction;
  if (extraction.path().empty()) {
    std::cerr << "showpack render: error: cannot create a folder for the show's files\n";
    return 1;
  }

  ScriptedHostSettings host;
  host.program_path = options.show_path;
  host.extraction_parent = extraction.path();
  ScriptedPlatform scripted(files, showpack::text_codec(), host, options.start_tick);
  scripted.desktop.set_screen_size({options.screen_width, options.screen_height});
  scripted.desktop.set_cursor_position({options.screen_width / 2, options.screen_height / 2});
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
  std::optional<showpack::GifWriter> gif;
  if (!options.gif_path.empty()) gif.emplace(options.gif_path);
  std::optional<showpack::ContactSheet> sheet;
  if (!options.contact_sheet_path.empty()) sheet.emplace();
  showpack::Progress progress("transitions", std::size_t(limit.value_or(0)));
  const TransitionCounter* progress_counter = nullptr;
  scripted.desktop.on_refresh([&](const PixelImage& image) {
    if (progress_counter) progress.update(std::size_t(progress_counter->finished()));
    const std::string path =
        (std::filesystem::path(options.out_dir) / frame_name(frame_count)).string();
    ++frame_count;
    if (write_error.empty()) write_error = write_png(path, image);
    if (gif) gif->add(image, scripted.clock.elapsed());
    if (sheet) sheet->frame(image);
  });

  RunState state;
  state.Package = std::move(read.package);
  state.ProgramPackagePath = options.show_path;
  state.BgmEnabled = options.music ? -1 : 0;
  state.SoundEnabled = options.sounds ? -1 : 0;
  TransitionCounter counter(scripted, limit, sheet ? &*sheet : nullptr);
  progress_counter = &counter;
  run_show_mode(scripted.platform, state, &counter);
  progress.finish();

  std::ofstream((std::filesystem::path(options.out_dir) / "events.jsonl").string())
      << scripted.log.to_jsonl();
  if (gif) {
    gif->finish(scripted.clock.elapsed());
    if (write_error.empty() && !gif->error().empty()) write_error = gif->error();
  }
  if (sheet && write_error.empty()) write_error = sheet->write(options.contact_sheet_path);
  if (!write_error.empty()) {
    std::cerr << "showpack render: error: " << write_error << "\n";
    return 1;
  }
  std::cerr << "showpack render: " << frame_count << " frames and " << counter.finished()
            << " transitions in " << scripted.clock.elapsed() << " ms of show time, written to "
            << options.out_dir << "\n";
  for (const RecordedMessageBox& box : scripted.desktop.message_boxes()) {
    std::cerr << "showpack render: error: the show ended with a message box \"" << box.title
              << "\": " << box.text << "\n";
    return 2;
  }
  return 0;
}

}  // namespace showsaver

namespace showsaver::showpack {
namespace {

// "WxH" with both sides positive.
std::string parse_screen(const std::string& text, RenderOptions& options) {
  int width = 0;
  int height = 0;
  char separator = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%d%c%d%c", &width, &separator, &height, &rest) != 3 ||
      (separator != 'x' && separator != 'X') || width <= 0 || height <= 0 || width > 16384 ||
      height > 16384) {
    return "--screen takes WIDTHxHEIGHT, for example 1024x768";
  }
  options.screen_width = width;
  options.screen_height = height;
  return {};
}

}  // namespace

void add_render_command(CLI::App& app) {
  auto options = std::make_shared<RenderOptions>();
  auto screen = std::make_shared<std::string>("1024x768");
  auto no_music = std::make_shared<bool>(false);
  auto no_sounds = std::make_shared<bool>(false);
  CLI::App* command = app.add_subcommand(
      "render", "Play a show headlessly and write every frame as PNG, with an event log");
  command
      ->add_option("show", options->show_path,
                   "The show (program file or bare package) or its manifest (.toml)")
      ->required();
  command->add_option("--out", options->out_dir, "Folder for the frames and events.jsonl")
      ->required();
  command->add_option("--gif", options->gif_path,
                      "Also write the frames as an animated GIF with their timing");
  command->add_option("--contact-sheet", options->contact_sheet_path,
                      "Also write a PNG with a row of frames for each transition");
  command->add_option("--transitions", options->transitions, "Stop after N transitions")
      ->check(CLI::PositiveNumber);
  command->add_option("--ms", options->milliseconds, "Stop after N milliseconds of show time")
      ->check(CLI::NonNegativeNumber);
  command->add_option("--key-at", options->key_at, "Press a key at MS milliseconds")
      ->check(CLI::NonNegativeNumber);
  command->add_option("--move-at", options->move_at, "Move the mouse at MS milliseconds")
      ->check(CLI::NonNegativeNumber);
  command->add_option("--screen", *screen, "Screen size, WIDTHxHEIGHT (default 1024x768)");
  command->add_option("--start-tick", options->start_tick, "The tick counter's first value");
  command->add_flag("--no-music", *no_music, "Play as if the user switched the music off");
  command->add_flag("--no-sounds", *no_sounds, "Play as if the user switched the sounds off");
  command->callback([options, screen, no_music, no_sounds] {
    if (const std::string error = parse_screen(*screen, *options); !error.empty()) {
      std::cerr << "showpack render: error: " << error << "\n";
      finish_command(1);
    }
    options->music = !*no_music;
    options->sounds = !*no_sounds;
    finish_command(run_render(*options));
  });
}

}  // namespace showsaver::showpack
