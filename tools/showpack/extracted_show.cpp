#include "extracted_show.h"

#include "manifest_extension.h"
#include "package/extraction.h"
#include "package/file_names.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

// The folders, inside the extraction folder, of each kind of file.
constexpr const char* kPictureFolder = "pictures";
constexpr const char* kSoundFolder = "sounds";
constexpr const char* kMusicFolder = "music";

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

Manifest manifest_of(const ShowPackage& package, const fs::path& folder,
                     const std::optional<std::string>& title) {
  Manifest manifest;
  manifest.file = folder / "show.toml";
  manifest.width = package.PictureWidth;
  manifest.height = package.PictureHeight;
  manifest.back_color = package.BackColor;
  manifest.has_settings = package.HasSettings != 0;
  manifest.title = title;
  const auto file_in = [&](const char* kind_folder, const std::string& name) {
    return ManifestFile{folder / kind_folder / name, {}};
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

}  // namespace

ExtractedShow extracted_show(const ShowPackage& package, const fs::path& folder,
                             const std::optional<std::string>& title) {
  ExtractedShow show;
  for (const ExtractedFile& extracted : files_to_extract(package)) {
    if (const auto reason = unsafe_name_reason(extracted.name)) {
      show.files.clear();
      show.error = "the show holds a file named \"" + extracted.name + "\", which " + *reason;
      return show;
    }
    show.files.push_back({folder / folder_of(extracted.kind) / extracted.name,
                          {extracted.data->data(), extracted.data->size()}});
  }
  show.manifest = manifest_of(package, folder, title);
  return show;
}

}  // namespace showsaver::showpack
