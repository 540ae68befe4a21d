#include "startup/temp_folder.h"

#include <algorithm>

#include "package/file_names.h"

namespace showsaver {
namespace {

// Enough numbers for any machine's leftovers; the bound only keeps a
// misbehaving file system from looping for ever.
constexpr int kMaximumFolderNumber = 1 << 20;

// More than the names of any show; the bound keeps a hostile mark cheap.
constexpr std::size_t kMaximumMarkerSize = 1 << 20;

bool is_numbered_folder_name(const std::string& name) {
  constexpr std::string_view kPrefix = "temp";
  if (name.size() <= kPrefix.size() || !name.starts_with(kPrefix)) return false;
  return std::all_of(name.begin() + kPrefix.size(), name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

// The names the mark lists, one a line.
std::vector<std::string> listed_names(const Bytes& marker) {
  std::vector<std::string> names;
  std::string name;
  for (const std::uint8_t byte : marker) {
    if (byte != '\n') {
      name += static_cast<char>(byte);
      continue;
    }
    names.push_back(std::move(name));
    name.clear();
  }
  return names;
}

void remove_abandoned_folder(FileSystem& files, const std::string& folder) {
  const std::string marker = folder + std::string(kInUseMarkerName);
  const std::optional<Bytes> listing = files.take_abandoned_marker(marker, kMaximumMarkerSize);
  if (!listing) return;
  for (const std::string& name : listed_names(*listing)) {
    // A name that could lead out of the folder never leads a deletion.
    if (name.empty() || unsafe_name_reason(name)) continue;
    if (files.is_plain_file(folder + name)) files.delete_file(folder + name);
  }
  files.delete_file(marker);
  files.remove_folder(folder);
}

}  // namespace

std::optional<std::string> create_temp_folder(FileSystem& files, const std::string& parent) {
  for (int number = 1; number <= kMaximumFolderNumber; ++number) {
    const std::string candidate = parent + "temp" + std::to_string(number);
    switch (files.create_folder(candidate)) {
      case CreateFolderResult::Created:
        return candidate + kPathSeparator;
      case CreateFolderResult::AlreadyExists:
        continue;
      case CreateFolderResult::Failed:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

std::unique_ptr<HeldMarker> mark_in_use(FileSystem& files, const std::string& folder,
                                        const std::vector<std::string>& file_names) {
  std::string listing;
  for (const std::string& name : file_names) {
    if (name.find('\n') == std::string::npos) listing += name + '\n';
  }
  return files.hold_new_marker(folder + std::string(kInUseMarkerName), listing);
}

void remove_abandoned_temp_folders(FileSystem& files, const std::string& parent) {
  for (const std::string& name : files.folder_entries(parent)) {
    if (!is_numbered_folder_name(name) || !files.is_own_folder(parent + name)) continue;
    remove_abandoned_folder(files, parent + name + kPathSeparator);
  }
}

}  // namespace showsaver
