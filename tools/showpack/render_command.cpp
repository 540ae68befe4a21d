#include "render_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "command_status.h"
#include "contact_sheet.h"
#include "gif_writer.h"
#include "headless/headless_player.h"
#include "manifest_source.h"
#include "package/package_reader.h"
#include "platform/posix/posix_file_system.h"
#include "png_writer.h"
#include "progress.h"
#include "text_codec.h"

namespace showsaver {
namespace {

// Logs what the show does besides drawing (the shuffle's seed, holds,
// transitions) and feeds the contact sheet its rows.
class RenderObserver final : public ShowObserver {
 public:
  RenderObserver(ScriptedPlatform& scripted, showpack::ContactSheet* sheet)
      : scripted_(scripted), sheet_(sheet) {}

  void order_shuffled(std::uint32_t seed) override {
    shuffle_seed_ = seed;
    log("shuffle", {json_number("seed", seed)});
  }

  void hold_starting(std::int32_t scene, bool moving) override {
    log("hold", {json_number("scene", scene), json_bool("moving", moving)});
    if (sheet_ && moving) sheet_->moving_hold_started(scene);
  }

  void transition_begins(const TransitionStart& start) override {
    if (sheet_) sheet_->transition_started(start);
    std::vector<JsonField> fields{json_number("from", start.outgoing_scene),
                                  json_number("to", start.incoming_scene),
                                  json_number("effect", start.effect_code)};
    if (start.fade_ms) fields.push_back(json_number("fade_ms", *start.fade_ms));
    log("transition", std::move(fields));
  }

  void transition_finished() override {
    if (sheet_) sheet_->row_finished();
  }

  const std::optional<std::uint32_t>& shuffle_seed() const { return shuffle_seed_; }

 private:
  void log(std::string kind, std::vector<JsonField> fields) {
    scripted_.log.add(scripted_.clock.now(), scripted_.clock.elapsed(), std::move(kind),
                      std::move(fields));
  }

  ScriptedPlatform& scripted_;
  showpack::ContactSheet* sheet_;
  std::optional<std::uint32_t> shuffle_seed_;
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

  HeadlessSettings settings;
  settings.host.program_path = options.show_path;
  settings.host.extraction_parent = extraction.path();
  settings.screen = {options.screen_width, options.screen_height};
  settings.start_tick = options.start_tick;
  if (options.key_at) settings.inputs.push_back({*options.key_at, InputKind::Key, {}});
  if (options.milliseconds) settings.inputs.push_back({*options.milliseconds, InputKind::Key, {}});
  if (options.move_at) {
    const Point moved{options.screen_width / 2 + 17, options.screen_height / 2 + 17};
    settings.inputs.push_back({*options.move_at, InputKind::MouseMove, moved});
  }
  settings.transitions = options.transitions;
  if (!options.transitions && !options.key_at && !options.milliseconds && !options.move_at) {
    settings.transitions = std::max(1, read.package.SceneCount);  // one round of the show
  }
  const std::optional<int> limit = settings.transitions;
  HeadlessPlayer player(files, showpack::text_codec(), std::move(settings));
  ScriptedPlatform& scripted = player.scripted();

  int frame_count = 0;
  std::string write_error;
  std::optional<showpack::GifWriter> gif;
  if (!options.gif_path.empty()) gif.emplace(options.gif_path);
  std::optional<showpack::ContactSheet> sheet;
  if (!options.contact_sheet_path.empty()) sheet.emplace();
  showpack::Progress progress("transitions", std::size_t(limit.value_or(0)));
  player.on_frame([&](const HeadlessFrame& frame) {
    const PixelImage& image = frame.image;
    progress.update(std::size_t(player.transitions_finished()));
    const std::string path =
        (std::filesystem::path(options.out_dir) / frame_name(frame_count)).string();
    ++frame_count;
    if (write_error.empty()) write_error = write_png(path, image);
    if (gif) gif->add(image, frame.show_time);
    if (sheet) sheet->frame(image);
  });

  RunState state;
  state.Package = std::move(read.package);
  state.ProgramPackagePath = options.show_path;
  state.BgmEnabled = options.music ? -1 : 0;
  state.SoundEnabled = options.sounds ? -1 : 0;
  RenderObserver observer(scripted, sheet ? &*sheet : nullptr);
  player.set_observer(&observer);
  player.play(show_mode(state));
  progress.finish();
  if (sheet) sheet->row_finished();  // a moving hold the show ended in

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
  std::cerr << "showpack render: " << frame_count << " frames and " << player.transitions_finished()
            << " transitions in " << scripted.clock.elapsed() << " ms of show time, written to "
            << options.out_dir << "\n";
  if (observer.shuffle_seed()) {
    std::cerr << "showpack render: the order was shuffled from seed " << *observer.shuffle_seed()
              << ", the tick counter at the show's start (--start-tick " << options.start_tick
              << " sets where it starts)\n";
  }
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
                      "Also write a PNG with a row of frames for each transition and moving hold");
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
