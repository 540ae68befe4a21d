#include "new_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "command_status.h"
#include "effects/effect_catalogue.h"
#include "manifest.h"
#include "manifest_writer.h"
#include "name_rules.h"
#include "platform/geometry.h"
#include "varied_effects.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

struct NewOptions {
  std::string folder;
  std::string output;
  std::string size = "1920x1080";
  std::string hold = "5s";
  std::string fit = "contain";
  std::string music;
  std::string title;
  bool force = false;
};

std::string utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool is_picture(const fs::path& path) {
  std::string extension = utf8(path.extension());
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  static const std::set<std::string> kExtensions{".png", ".jpg", ".jpeg", ".gif", ".webp", ".bmp"};
  return kExtensions.contains(extension);
}

// A stored name for the converted picture, unique in the show.
std::string stored_name(const fs::path& picture, std::size_t index, std::set<std::string>& used) {
  std::string name = utf8(picture.stem()) + ".bmp";
  if (stored_name_problem(name)) name = "picture-" + std::to_string(index + 1) + ".bmp";
  const std::string stem = name.substr(0, name.size() - 4);
  for (int n = 2; used.contains(fold_case(name)); ++n) {
    name = stem + "-" + std::to_string(n) + ".bmp";
  }
  used.insert(fold_case(name));
  return name;
}

std::optional<Size> parse_size(const std::string& text) {
  int width = 0, height = 0;
  char x = 0, rest = 0;
  std::istringstream in(text);
  if (!(in >> width >> x >> height) || (x != 'x' && x != 'X') || in >> rest) return std::nullopt;
  if (width < 1 || width > 32767 || height < 1 || height > 32767) return std::nullopt;
  return Size{width, height};
}

// What the manifest says first: where it came from, what to do with it, and
// the effect names to choose from.
std::string heading(const NewOptions& options) {
  std::ostringstream out;
  out << "A show of the pictures in " << utf8(fs::path(options.folder).filename()) << ".\n"
      << "Edit freely, then: showpack build THIS.toml -o show.scr --player PLAYER\n"
      << "effect names (README: Transitions):";
  for (const Effect& effect : effect_catalogue()) {
    out << (effect.code % 6 == 0 ? "\n  " : " ") << effect.name
        << (effect.code == kLastEffect ? "" : ",");
  }
  return out.str();
}

// A show of `pictures` in name order, each with a name of its own and the
// next of the varied effects; paths absolute, the manifest's too, so that the
// writer names them relative to the manifest's folder.
Manifest manifest_of(const NewOptions& options, Size size, const std::vector<fs::path>& pictures) {
  Manifest manifest;
  manifest.file = fs::absolute(options.output);
  manifest.width = size.width;
  manifest.height = size.height;
  manifest.fit = parse_fit(options.fit);
  if (!options.title.empty()) manifest.title = options.title;
  if (!options.music.empty()) {
    manifest.music = ManifestFile{fs::absolute(options.music), {}};
    manifest.music_name.text = utf8(manifest.music->path.filename());
    manifest.music_name.from_file = true;
  }
  const std::int32_t hold = parse_duration(options.hold).value_or(0);
  const std::vector<std::int32_t> effects = varied_effects(pictures.size());
  std::set<std::string> used;
  for (std::size_t index = 0; index < pictures.size(); ++index) {
    ManifestScene& scene = manifest.scenes.emplace_back();
    scene.picture = {fs::absolute(pictures[index]), {}};
    scene.picture_name.text = stored_name(pictures[index], index, used);
    scene.display_time = hold;
    scene.effect = effects[index];
  }
  return manifest;
}

int run_new(const NewOptions& options) {
  const auto size = parse_size(options.size);
  if (!size) {
    std::cerr << "showpack new: error: --size " << options.size
              << " is not WIDTHxHEIGHT with each 1..32767\n";
    return 1;
  }
  if (!parse_duration(options.hold)) {
    std::cerr << "showpack new: error: --hold " << options.hold
              << " is not a time such as 2500, 2500ms or 2.5s\n";
    return 1;
  }
  if (!parse_fit(options.fit)) {
    std::cerr << "showpack new: error: --fit must be contain, cover or none\n";
    return 1;
  }
  std::error_code error;
  std::vector<fs::path> pictures;
  for (const auto& entry : fs::directory_iterator(options.folder, error)) {
    if (entry.is_regular_file() && is_picture(entry.path())) pictures.push_back(entry.path());
  }
  if (error) {
    std::cerr << "showpack new: error: " << options.folder << ": " << error.message() << '\n';
    return 1;
  }
  if (pictures.empty()) {
    std::cerr << "showpack new: error: " << options.folder
              << " holds no PNG, JPEG, GIF, WebP or BMP pictures\n";
    return 1;
  }
  std::sort(pictures.begin(), pictures.end(), [](const fs::path& a, const fs::path& b) {
    return utf8(a.filename()) < utf8(b.filename());
  });
  const fs::path output(options.output);
  if (fs::exists(output) && !options.force) {
    std::cerr << "showpack new: error: " << options.output
              << " already exists; --force writes over it\n";
    return 1;
  }
  const Manifest manifest = manifest_of(options, *size, pictures);
  const std::string text = manifest_text(manifest, heading(options));
  std::ofstream file(output, std::ios::binary | std::ios::trunc);
  file << text;
  if (!file.flush()) {
    std::cerr << "showpack new: error: cannot write " << options.output << '\n';
    return 1;
  }
  std::cout << "wrote " << options.output << ": " << pictures.size() << " scenes\n";
  return 0;
}

}  // namespace

void add_new_command(CLI::App& app) {
  auto options = std::make_shared<NewOptions>();
  CLI::App* command =
      app.add_subcommand("new", "Write a manifest for a show of the pictures in a folder");
  command->add_option("folder", options->folder, "The folder of pictures, taken in name order")
      ->required();
  command->add_option("-o,--output", options->output, "The manifest to write")->required();
  command->add_option("--size", options->size, "The picture area, WIDTHxHEIGHT")
      ->capture_default_str();
  command->add_option("--hold", options->hold, "How long each picture stays: 5000, 5000ms, 5s")
      ->capture_default_str();
  command->add_option("--fit", options->fit, "contain, cover or none")->capture_default_str();
  command->add_option("--music", options->music, "Music to loop under the show");
  command->add_option("--title", options->title, "The show's name in the Windows list");
  command->add_flag("--force", options->force, "Write over an existing manifest");
  command->callback([options] { finish_command(run_new(*options)); });
}

}  // namespace showsaver::showpack
