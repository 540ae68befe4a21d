#include "startup/extraction.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

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
    const bool seen_before = std::any_of(scenes.begin(), scenes.begin() + static_cast<long>(j),
                                         [&](const SceneRecord& earlier) {
                                           return name_of(earlier) == name;
                                         });
    if (!seen_before) files.push_back({name, &data_of(scenes[j]), kind});
  }
}

}  // namespace

bool is_device_name(std::string_view name) {
  std::string stem(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

std::optional<std::string> unsafe_name_reason(const std::string& name) {
  if (name == "." || name == "..") return "it names a folder, not a file";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\') return "it contains a path separator";
    if (c == ':') return "it contains a drive or stream separator";
    if (byte < 0x20 || byte == 0x7F) return "it contains a control character";
  }
  if (is_device_name(name)) return "it is the name of a device";
  return std::nullopt;
}

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
                              const std::string& temp_folder) {
  const std::vector<ExtractedFile> planned = files_to_extract(package);
  for (const ExtractedFile& file : planned) {
    if (const auto reason = unsafe_name_reason(file.name)) {
      return {"The show holds a file named \"" + file.name + "\", which was not extracted: " +
              *reason + "."};
    }
  }
  for (const ExtractedFile& file : planned) {
    const std::string path = temp_folder + file.name;
    if (files.is_plain_file(path)) files.delete_file(path);
    const auto* bytes = reinterpret_cast<const char*>(file.data->data());
    files.write_new_file(path, std::string_view(bytes, file.data->size()));
  }
  return {};
}

}  // namespace showsaver
