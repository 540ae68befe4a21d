#include "package/extraction.h"

#include <algorithm>

#include "package/file_names.h"

namespace showsaver {
namespace {

std::size_t scenes_in_walk(const ShowPackage& package) {
  if (package.SceneCount <= 0) return 0;
  return std::min(static_cast<std::size_t>(package.SceneCount), package.stored_scene_count());
}

// Adds the first scene of each distinct non-empty name.
template <typename NameOf, typename DataOf>
void add_first_occurrences(const ShowPackage& package, ExtractedKind kind, NameOf name_of,
                           DataOf data_of, std::vector<ExtractedFile>& files) {
  const std::size_t count = scenes_in_walk(package);
  const auto& scenes = *package.Scenes;
  for (std::size_t j = 0; j < count; ++j) {
    const std::string& name = name_of(scenes[j]);
    if (name.empty()) continue;
    const bool seen_before =
        std::any_of(scenes.begin(), scenes.begin() + static_cast<long>(j),
                    [&](const SceneRecord& earlier) { return name_of(earlier) == name; });
    if (!seen_before) files.push_back({name, &data_of(scenes[j]), kind});
  }
}

}  // namespace

std::vector<ExtractedFile> files_to_extract(const ShowPackage& package) {
  std::vector<ExtractedFile> files;
  if (!package.BgmFileName.empty() && package.BgmFileName.front() != '\0') {
    files.push_back({package.BgmFileName, &package.BgmData, ExtractedKind::Music});
  }
  if (package.Scenes) {
    add_first_occurrences(
        package, ExtractedKind::Picture,
        [](const SceneRecord& scene) -> const std::string& { return scene.PictureFileName; },
        [](const SceneRecord& scene) -> const PackageBytes& { return scene.PictureData; }, files);
    add_first_occurrences(
        package, ExtractedKind::Sound,
        [](const SceneRecord& scene) -> const std::string& { return scene.SoundFileName; },
        [](const SceneRecord& scene) -> const PackageBytes& { return scene.SoundData; }, files);
  }
  return files;
}

ExtractionResult extract_show(FileSystem& files, const ShowPackage& package,
                              const std::string& folder) {
  const std::vector<ExtractedFile> planned = files_to_extract(package);
  for (const ExtractedFile& file : planned) {
    if (const auto reason = unsafe_name_reason(file.name)) {
      return {"The show holds a file named \"" + file.name + "\", which " + *reason +
              "; nothing was extracted."};
    }
  }
  for (const ExtractedFile& file : planned) {
    const std::string path = folder + file.name;
    if (files.is_plain_file(path)) files.delete_file(path);
    const auto* bytes = reinterpret_cast<const char*>(file.data->data());
    files.write_new_file(path, std::string_view(bytes, file.data->size()));
  }
  return {};
}

void delete_extracted_show(FileSystem& files, const ShowPackage& package,
                           const std::string& folder) {
  const auto delete_if_plain = [&](const std::string& name) {
    if (name.empty() || unsafe_name_reason(name)) return;
    if (files.is_plain_file(folder + name)) files.delete_file(folder + name);
  };
  const std::size_t count = scenes_in_walk(package);
  for (std::size_t i = 0; i < count; ++i) {
    delete_if_plain((*package.Scenes)[i].PictureFileName);
    delete_if_plain((*package.Scenes)[i].SoundFileName);
  }
  delete_if_plain(package.BgmFileName);
  files.remove_folder(folder);
}

}  // namespace showsaver
