#include "extract_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "command_status.h"
#include "file_io.h"
#include "manifest.h"
#include "manifest_extension.h"
#include "manifest_writer.h"
#include "package/extraction.h"
#include "package/file_names.h"
#include "package/package_reader.h"
#include "text_codec.h"
#include "title_slot.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

// The folders, inside the extraction folder, of each kind of file.
constexpr const char* kPictureFolder = "pictures";
constexpr const char* kSoundFolder = "sounds";
constexpr const char* kMusicFolder = "music";

struct ExtractOptions {
  std::string show;
  std::string out;
  bool force = false;
};

const char* folder_of(ExtractedKind kind) {
  switch (kind) {
    case ExtractedKind::Music:
      return kMusicFolder;
    case ExtractedKind::Picture:
      return kPictureFolder;
    case ExtractedKind::Sound:
      return kSoundFolder;
  }
  return kPictureFolder;
}

// A stored name, with its bytes when they are not the standard spelling of
// its text, so that the show is rebuilt byte for byte.
ManifestName stored_name(const std::string& text, const StoredSpelling& spelling) {
  ManifestName name;
  name.text = text;
  name.stored_bytes = spelling.bytes;
  return name;
}

// The manifest `out`/show.toml that builds `package` again from the files
// extracted beside it; every stored name is kept as it is, and the title of
// a Windows player.
Manifest manifest_of(const ShowPackage& package, const fs::path& out,
                     const std::optional<std::string>& title) {
  Manifest manifest;
  manifest.file = out / "show.toml";
  manifest.width = package.PictureWidth;
  manifest.height = package.PictureHeight;
  manifest.back_color = package.BackColor;
  manifest.has_settings = package.HasSettings != 0;
  manifest.title = title;
  const auto file_in = [&](const char* folder, const std::string& name) {
    return ManifestFile{out / folder / name, {}};
  };
  if (!package.BgmFileName.empty()) {
    manifest.music = file_in(kMusicFolder, package.BgmFileName);
    manifest.music_name = stored_name(package.BgmFileName, package.BgmFileNameSpelling);
  }
  if (!package.Scenes) return manifest;
  for (const SceneRecord& record : *package.Scenes) {
    ManifestScene& scene = manifest.scenes.emplace_back();
    scene.picture = file_in(kPictureFolder, record.PictureFileName);
    scene.picture_name = stored_name(record.PictureFileName, record.PictureFileNameSpelling);
    if (!record.SoundFileName.empty()) {
      scene.sound = file_in(kSoundFolder, record.SoundFileName);
      scene.sound_name = stored_name(record.SoundFileName, record.SoundFileNameSpelling);
    }
    scene.display_time = record.DisplayTime;
    scene.left = record.PictureLeft;
    scene.top = record.PictureTop;
    scene.effect = record.EffectCode;
    scene.over_previous = record.OverPrevious != 0;
    scene.transparent = record.Transparent != 0;
  }
  if (package.Extension) apply_extension(*package.Extension, manifest);
  return manifest;
}

struct PlannedFile {
  fs::path path;
  std::span<const std::uint8_t> bytes;
};

int fail(const std::string& message) {
  std::cerr << "showpack extract: error: " << message << '\n';
  return 1;
}

int run_extract(const ExtractOptions& options) {
  const FileRead file = read_whole_file(options.show);
  if (file.error) return fail(*file.error);
  const PackageReadResult read = read_show_package(file.bytes, text_codec());
  if (read.error) {
    return fail(options.show + ": malformed show package: " + read.error->message());
  }
  const fs::path out(options.out);
  std::vector<PlannedFile> planned;
  for (const ExtractedFile& extracted : files_to_extract(read.package)) {
    if (const auto reason = unsafe_name_reason(extracted.name)) {
      return fail("the show holds a file named \"" + extracted.name + "\", which " + *reason);
    }
    planned.push_back({out / folder_of(extracted.kind) / extracted.name,
                       {extracted.data->data(), extracted.data->size()}});
  }
  const Manifest manifest_value = manifest_of(read.package, out, read_title(file.bytes));
  const std::string manifest = manifest_text(
      manifest_value, "Extracted by showpack; `showpack build` makes the show again from it.");
  planned.push_back({manifest_value.file,
                     {reinterpret_cast<const std::uint8_t*>(manifest.data()), manifest.size()}});

  if (!options.force) {
    for (const PlannedFile& target : planned) {
      if (fs::exists(fs::symlink_status(target.path))) {
        return fail(target.path.string() + " exists already; use --force to replace it");
      }
    }
  }
  for (const PlannedFile& target : planned) {
    std::error_code error;
    fs::create_directories(target.path.parent_path(), error);
    if (error)
      return fail("cannot create " + target.path.parent_path().string() + ": " + error.message());
    if (const auto write_error = write_file_atomically(target.path, target.bytes, 0644)) {
      return fail(*write_error);
    }
  }
  std::cout << "extracted " << planned.size() - 1 << " files and show.toml into " << options.out
            << "\n";
  return 0;
}

}  // namespace

void add_extract_command(CLI::App& app) {
  auto options = std::make_shared<ExtractOptions>();
  CLI::App* command = app.add_subcommand(
      "extract", "Write a show's pictures, sounds and music, with a manifest that rebuilds it");
  command->add_option("show", options->show, "The program file or bare package")->required();
  command->add_option("--out", options->out, "The folder to write into")->required();
  command->add_flag("--force", options->force, "Replace files that exist already");
  command->callback([options] { finish_command(run_extract(*options)); });
}

}  // namespace showsaver::showpack
