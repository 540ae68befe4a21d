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
#include <utility>

#include "command_status.h"
#include "display_size.h"
#include "effects/effect_catalogue.h"
#include "file_io.h"
#include "manifest.h"
#include "manifest_writer.h"
#include "name_rules.h"
#include "picture_area.h"
#include "picture_folder.h"
#include "platform/geometry.h"
#include "varied_effects.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

// The picture area when neither --size nor a display gives one.
constexpr Size kUsualDisplay{1920, 1080};

struct NewOptions {
  std::string folder;
  std::string output;
  std::string size;  // empty: the primary display's, else kUsualDisplay
  std::string order = "name";
  bool recursive = false;
  std::string hold = "5s";
  std::string fit = "contain";
  std::string music;
  std::string title;
  bool force = false;
};

// A stored name for the converted picture, unique in the show.
std::string stored_name(const fs::path& picture, std::size_t index, std::set<std::string>& used) {
  std::string name = path_text(picture.stem()) + ".bmp";
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

// The picture area and where it came from, for the author to see.
std::optional<std::pair<Size, std::string>> picture_area(const std::string& option) {
  if (!option.empty()) {
    const auto size = parse_size(option);
    if (!size) return std::nullopt;
    return std::pair{*size, std::string("--size")};
  }
  if (const auto display = query_primary_display_size()) {
    return std::pair{*display, std::string("the primary display's size; --size changes it")};
  }
  return std::pair{kUsualDisplay, std::string("no display found; --size changes it")};
}

// What the manifest says first: where it came from, what to do with it, and
// the effect names to choose from.
std::string heading(const NewOptions& options) {
  std::ostringstream out;
  out << "A show of the pictures in " << path_text(fs::path(options.folder).filename()) << ".\n"
      << "Edit freely, then: showpack build THIS.toml -o show.scr\n"
      << "(the Linux player; --for windows builds on the 64-bit Windows player)\n"
      << "effect names (README: Transitions):";
  for (const Effect& effect : effect_catalogue()) {
    out << (effect.code % 6 == 0 ? "\n  " : " ") << effect.name
        << (effect.code == kLastEffect ? "" : ",");
  }
  return out.str();
}

// A show of `pictures` in their order, each with a name of its own and the
// next of the varied effects; paths absolute, the manifest's too, so that the
// writer names them relative to the manifest's folder.
Manifest manifest_of(const NewOptions& options, Size size,
                     const std::vector<FoundPicture>& pictures) {
  Manifest manifest;
  manifest.file = fs::absolute(options.output);
  manifest.width = size.width;
  manifest.height = size.height;
  manifest.fit = parse_fit(options.fit);
  if (!options.title.empty()) manifest.title = options.title;
  if (!options.music.empty()) {
    manifest.music = ManifestFile{fs::absolute(options.music), {}};
    manifest.music_name.text = path_text(manifest.music->path.filename());
    manifest.music_name.from_file = true;
  }
  const std::int32_t hold = parse_duration(options.hold).value_or(0);
  const std::vector<std::int32_t> effects = varied_effects(pictures.size());
  std::set<std::string> used;
  for (std::size_t index = 0; index < pictures.size(); ++index) {
    ManifestScene& scene = manifest.scenes.emplace_back();
    scene.picture = {fs::absolute(pictures[index].path), {}};
    scene.picture_name.text = stored_name(pictures[index].path, index, used);
    scene.display_time = hold;
    scene.effect = effects[index];
  }
  return manifest;
}

int fail(const std::string& message) {
  std::cerr << "showpack new: error: " << message << '\n';
  return 1;
}

int run_new(const NewOptions& options) {
  const auto area = picture_area(options.size);
  if (!area) return fail("--size " + options.size + " is not WIDTHxHEIGHT with each 1..32767");
  if (auto problem = picture_area_problem(area->first)) return fail("--size: " + *problem);
  if (!parse_duration(options.hold)) {
    return fail("--hold " + options.hold + " is not a time such as 2500, 2500ms or 2.5s");
  }
  if (!parse_fit(options.fit)) return fail("--fit must be contain, cover or none");
  const fs::path output(options.output);
  if (fs::exists(output) && !options.force) {
    return fail(options.output + " already exists; --force writes over it");
  }
  const PictureOrder order = options.order == "date" ? PictureOrder::date : PictureOrder::name;
  const PictureFolder found = scan_picture_folder(options.folder, options.recursive, order);
  if (found.error) return fail(*found.error);
  for (const SkippedFile& skipped : found.skipped) {
    std::cout << "skipped " << skipped.name << ": it " << skipped.reason << '\n';
  }
  if (found.pictures.empty()) {
    return fail(options.folder + " holds no PNG, JPEG, GIF, WebP, HEIC or BMP pictures");
  }
  const Manifest manifest = manifest_of(options, area->first, found.pictures);
  const std::string text = manifest_text(manifest, heading(options));
  std::ofstream file(output, std::ios::binary | std::ios::trunc);
  file << text;
  if (!file.flush()) return fail("cannot write " + options.output);
  std::cout << "wrote " << options.output << ": " << found.pictures.size() << " scenes in "
            << (order == PictureOrder::date ? "the order they were taken" : "name order")
            << ", picture area " << area->first.width << "x" << area->first.height << " ("
            << area->second << ")\n";
  return 0;
}

}  // namespace

void add_new_command(CLI::App& app) {
  auto options = std::make_shared<NewOptions>();
  CLI::App* command =
      app.add_subcommand("new", "Write a manifest for a show of the pictures in a folder");
  command->add_option("folder", options->folder, "The folder of pictures")->required();
  command->add_option("-o,--output", options->output, "The manifest to write")->required();
  command->add_option("--size", options->size,
                      "The picture area, WIDTHxHEIGHT (default: the primary display's size, "
                      "else 1920x1080)");
  command
      ->add_option("--order", options->order,
                   "name (natural: IMG_2 before IMG_10) or date (taken, from EXIF)")
      ->check(CLI::IsMember({"name", "date"}))
      ->capture_default_str();
  command->add_flag("--recursive", options->recursive, "Take the pictures in subfolders too");
  command->add_option("--hold", options->hold, "How long each picture stays: 5000, 5000ms, 5s")
      ->capture_default_str();
  command->add_option("--fit", options->fit, "contain, cover or none")->capture_default_str();
  command->add_option("--music", options->music, "Music to loop under the show");
  command->add_option("--title", options->title, "The show's name in the Windows list");
  command->add_flag("--force", options->force, "Write over an existing manifest");
  command->callback([options] { finish_command(run_new(*options)); });
}

}  // namespace showsaver::showpack
